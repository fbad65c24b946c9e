#!/usr/bin/env python3
"""Stacked conversions on more quaternions than one call should hold, with Dask.

    /usr/bin/python3 examples/dask_orientations.py [--n 10000000] [--chunk 250000]

The quaternions are a dask.array of (n, 4) in chunks; map_blocks runs zr's stacked conversions
(quaternion -> row-vector matrix -> ZYX Euler angles in degrees) on every chunk. zr releases the
GIL while a stack is computed, so the threaded scheduler keeps every core busy. A sample of the
result must equal one in-memory call on the same quaternions bit for bit. The same code runs on a
cluster of machines with dask.distributed (Client(...) instead of the threaded scheduler).
"""

import argparse
import os
import time

import dask
import dask.array as da
import numpy as np

import zr
from zr import mathCommon as mc

ZYX = zr.ChannelOrderEuler.ZYX


def to_euler(block):
    """One chunk (m, 4) of quaternions to (m, 3) Euler angles: two stacked calls."""
    return mc.rotm2EulDegree(mc.qua2RMatrix(block), ZYX)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--n", type=int, default=10_000_000, help="number of quaternions")
    parser.add_argument("--chunk", type=int, default=250_000, help="quaternions per chunk")
    args = parser.parse_args()

    q = da.random.RandomState(2026).normal(size=(args.n, 4), chunks=(args.chunk, 4))
    q = q.persist()  # generated once, so the timings below are the conversions alone
    angles = q.map_blocks(to_euler, dtype=np.float64, chunks=(q.chunks[0], (3,)))

    cores = os.cpu_count() or 1
    result = None
    for workers in sorted({1, cores}):
        with dask.config.set(scheduler="threads", num_workers=workers):
            start = time.perf_counter()
            result = angles.compute()
            seconds = time.perf_counter() - start
        print(f"{workers} thread{'s' if workers > 1 else ' '}: {args.n} quaternions in {seconds:.2f} s, "
              f"{args.n / seconds / 1e6:.2f} million per second")

    # Bit check: a sample against one in-memory call on the same quaternions.
    sample = np.sort(np.random.default_rng(7).choice(args.n, size=min(args.n, 10_000), replace=False))
    single = to_euler(q[sample].compute())
    assert result.shape == (args.n, 3)
    assert result[sample].tobytes() == single.tobytes(), "chunked result differs from the single call"
    print(f"bit check: {len(sample)} sampled rows equal the single in-memory call")


if __name__ == "__main__":
    main()
