#!/usr/bin/env python3
"""The bounding volume of the clipped primitives of RT scripts.

clipped_volume.py SCRIPT...

For each script: the summed volume of the axis-aligned boxes around the
primitives the clipping writes per cell (the pulled world boxes "World<id>",
the arbns "ARBN<id>" and the shortened cylinders and cones "S<n>C<id>"), by
kind, in the script's units cubed. Comparing two builds' scripts of the same
models shows whether the clipping is as tight as before.
"""

import itertools
import math
import re
import sys

CELL_NAME = re.compile(r"^(World\d+|ARBN\d+|S\d+(F\d+)?C\d+)$")


def arbn_box(numbers):
    planes = [(numbers[k:k + 3], numbers[k + 3]) for k in range(0, len(numbers), 4)]
    low, high = [math.inf] * 3, [-math.inf] * 3
    for a, b, c in itertools.combinations(planes, 3):
        corner = solve3([a[0], b[0], c[0]], [a[1], b[1], c[1]])
        if corner is None:
            continue
        scale = 1e-9 * (1 + max(abs(x) for x in corner))
        if all(sum(n[i] * corner[i] for i in range(3)) - d <= scale for n, d in planes):
            for i in range(3):
                low[i] = min(low[i], corner[i])
                high[i] = max(high[i], corner[i])
    return low, high


def solve3(rows, rhs):
    def det(m):
        return (m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]))
    d = det(rows)
    if abs(d) < 1e-12:
        return None
    corner = []
    for column in range(3):
        m = [list(r) for r in rows]
        for r in range(3):
            m[r][column] = rhs[r]
        corner.append(det(m) / d)
    return corner


def truncated_box(base, height, radii):
    length = math.sqrt(sum(h * h for h in height))
    low, high = [], []
    for i in range(3):
        spread = math.sqrt(max(0.0, 1 - (height[i] / length) ** 2)) if length > 0 else 1
        ends = [(base[i], radii[0]), (base[i] + height[i], radii[-1])]
        low.append(min(c - r * spread for c, r in ends))
        high.append(max(c + r * spread for c, r in ends))
    return low, high


def volume(box):
    low, high = box
    return math.prod(max(0.0, h - l) for l, h in zip(low, high))


def measure(path):
    totals = {"world": 0.0, "arbn": 0.0, "cylinder/cone": 0.0}
    counts = dict.fromkeys(totals, 0)
    with open(path, encoding="utf-8", errors="replace") as script:
        for line in script:
            words = line.split()
            if len(words) < 3 or words[0] != "in" or not CELL_NAME.match(words[1]):
                continue
            numbers = [float(w) for w in words[3:]]
            kind = words[2]
            if kind == "rpp":
                box, key = (numbers[0::2], numbers[1::2]), "world"
            elif kind == "arbn":
                box, key = arbn_box(numbers[1:]), "arbn"
            elif kind in ("rcc", "trc"):
                box, key = truncated_box(numbers[0:3], numbers[3:6], numbers[6:]), "cylinder/cone"
            else:
                continue
            totals[key] += volume(box)
            counts[key] += 1
    return totals, counts


def main():
    for path in sys.argv[1:]:
        totals, counts = measure(path)
        parts = ", ".join(f"{key} {counts[key]}: {totals[key]:.6g}" for key in totals)
        print(f"{path}: {parts}; sum {sum(totals.values()):.6g}")


if __name__ == "__main__":
    main()
