#!/usr/bin/env bash
# track_count_compare.sh BUILD-FOLDER [SIZE_MB] — counts the tracks of a
# generated track data file of SIZE_MB (default 1000) with bench_track_count,
# and reads a file of just vertex lines of the same size with pandas.read_csv
# (C engine) and numpy.loadtxt, for comparison. Needs python3-numpy and
# python3-pandas. The files are made under /tmp and removed afterwards.
set -euo pipefail
build="$(cd "$1" && pwd)"
size="${2:-1000}"
work="$(mktemp -d /tmp/track_bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
"$build/bin/track_generator" "$size" "$work/tracks.txt" --vertex-lines "$work/vertices.txt"
ls -l "$work"
"$build/bench/bench_track_count" "$work/tracks.txt"
/usr/bin/python3 - "$work/vertices.txt" <<'PY'
import os, sys, time
import numpy, pandas
path = sys.argv[1]
mb = os.path.getsize(path) / 1e6
def run(label, read):
    wall, cpu = time.perf_counter(), time.process_time()
    rows = read()
    wall, cpu = time.perf_counter() - wall, time.process_time() - cpu
    print(f"{label:20s} {wall:8.3f} s wall {mb / wall:7.1f} MB/s, {cpu:8.3f} s cpu {mb / cpu:7.1f} MB/s, {rows} rows")
run("pandas.read_csv:", lambda: len(pandas.read_csv(path, sep=r"\s+", header=None, engine="c")))
run("numpy.loadtxt:", lambda: len(numpy.loadtxt(path)))
PY
