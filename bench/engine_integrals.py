#!/usr/bin/env python3
"""10^5 calls of scipy.integrate.quad on sin(x)*exp(-x) over [0, 3], with the
tolerances of the engine's Int (epsabs 0, epsrel 1e-5, 200 subintervals);
prints the best loop time of three runs in seconds."""
import math
import time

from scipy import integrate


def integrand(x):
    return math.sin(x) * math.exp(-x)


def run():
    start = time.perf_counter()
    total = 0.0
    for _ in range(100000):
        total += integrate.quad(integrand, 0, 3, epsabs=0, epsrel=1e-5, limit=200)[0]
    return time.perf_counter() - start, total / 100000


best = min(run() for _ in range(3))
print("%.6f %.15g" % best)
