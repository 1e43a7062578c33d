#!/usr/bin/python3
"""Cost per element of the module's array calls against the plain C++ loop.

For each pair and size, the processor time of one call of the module
(if97.state_<pair>(a, b): output arrays allocated, every property written)
against a C++ loop over the same states that calls state_<pair> and keeps
one value (_if97.cxx_loop_seconds), in alternating runs. The states are
(p, t) in regions 1 and 2, half each, shuffled, and the (p, h), (p, s) of
the same states.

On a machine shared with other work each run can only be slowed down, by
other processes' use of the caches and the memory bus; the least of the runs
is the cost, and the overhead is reported from the least (and, in brackets,
from the medians).

    PYTHONPATH=build/python bench/bench_python.py [--repeat 5] [--sizes 100000 1000000]
"""

import argparse
import statistics
import time

import numpy as np

import if97
from if97 import _if97


def states(n, rng):
    """n (p, t) in regions 1 and 2: liquid below 150 degC from 1 MPa, steam
    above 300 degC up to 5 MPa."""
    half = n // 2
    p = np.concatenate([rng.uniform(1, 100, half), rng.uniform(0.001, 5, n - half)])
    t = np.concatenate([rng.uniform(0, 150, half), rng.uniform(300, 800, n - half)])
    order = rng.permutation(n)
    return p[order], t[order]


def thread_seconds(call):
    start = time.thread_time()
    call()
    return time.thread_time() - start


def wall_seconds(call):
    start = time.perf_counter()
    call()
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeat", type=int, default=9)
    parser.add_argument("--sizes", type=int, nargs="+", default=[100_000, 1_000_000])
    args = parser.parse_args()

    rng = np.random.default_rng(97)
    print(f"{'pair':5} {'n':>8} {'C++ ns':>7} {'module ns':>9} {'over (median)':>15}"
          f" {'h,s,v ns':>9} {'over (median)':>15} {'2 threads, wall s':>18}")
    for n in args.sizes:
        p, t = states(n, rng)
        r = if97.state_pt(p, t, properties=("h", "s"))
        assert r.ok.all() and set(np.unique(r.region)) == {1, 2}
        operands = {"pt": (p, t), "ph": (p, r.h), "ps": (p, r.s)}
        for pair, (a, b) in operands.items():
            function = getattr(if97, "state_" + pair)
            cxx, full, few, two = [], [], [], []
            for _ in range(args.repeat):
                cxx.append(_if97.cxx_loop_seconds(pair, a, b))
                full.append(thread_seconds(lambda: function(a, b)))
                few.append(thread_seconds(lambda: function(a, b, properties=("h", "s", "v"))))
                two.append(wall_seconds(lambda: function(a, b, threads=2)))
            best = [min(x) / n * 1e9 for x in (cxx, full, few)]
            median = [statistics.median(x) / n * 1e9 for x in (cxx, full, few)]
            over = lambda k, c: f"{c[k] / c[0] - 1:+6.1%}"  # noqa: E731
            print(f"{pair:5} {n:8} {best[0]:7.1f} {best[1]:9.1f} {over(1, best)} ({over(1, median)})"
                  f" {best[2]:9.1f} {over(2, best)} ({over(2, median)}) {min(two):18.3f}")
        # The module alone: NaN elements are refused before the library is
        # called, their columns written all the same.
        nan = np.full(n, np.nan)
        alone = [min(thread_seconds(lambda: if97.state_pt(nan, t, properties=names))
                     for _ in range(args.repeat)) / n * 1e9 for names in (None, ("h", "s", "v"))]
        print(f"{'NaN':5} {n:8} {'':7} {alone[0]:9.1f} {'':15} {alone[1]:9.1f}")


if __name__ == "__main__":
    main()
