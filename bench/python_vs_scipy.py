#!/usr/bin/env python3
"""Times zr's stacked rotation conversions against scipy.spatial.transform.Rotation.

Usage (after `cmake --preset python && cmake --build --preset python`):

    PYTHONPATH=build/python/python /usr/bin/python3 bench/python_vs_scipy.py [N]

N defaults to 10**6 rotations. Each timing is the best of five runs; the script prints a
Markdown table (the one in docs/performance.md). zr stores quaternions scalar first
(w, x, y, z), SciPy scalar last; the reordering is done once, outside the timed calls.
"""

import platform
import sys
import time

import numpy as np
import scipy
from scipy.spatial.transform import Rotation

import zr
from zr import mathCommon as mc


def best_of(f, repeat=5):
    best = float("inf")
    for _ in range(repeat):
        t = time.perf_counter()
        f()
        best = min(best, time.perf_counter() - t)
    return best


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 10**6
    rng = np.random.default_rng(1)
    q_wxyz = rng.normal(size=(n, 4))
    q_wxyz /= np.linalg.norm(q_wxyz, axis=1)[:, None]
    p_wxyz = rng.normal(size=(n, 4))
    p_wxyz /= np.linalg.norm(p_wxyz, axis=1)[:, None]
    q_xyzw = np.ascontiguousarray(q_wxyz[:, [1, 2, 3, 0]])
    p_xyzw = np.ascontiguousarray(p_wxyz[:, [1, 2, 3, 0]])
    angles = rng.uniform(-1.5, 1.5, size=(n, 3))            # zr: (about x, about y, about z)
    angles_zyx = np.ascontiguousarray(angles[:, ::-1])      # SciPy 'ZYX': (z, y, x)
    rq = Rotation.from_quat(q_xyzw)
    rp = Rotation.from_quat(p_xyzw)
    m_col = rq.as_matrix()                                   # column-vector layout
    m_row = np.ascontiguousarray(m_col.transpose(0, 2, 1))   # row-vector layout (qua2RMatrix)
    ZYX = zr.ChannelOrderEuler.ZYX

    rows = [
        ("normalise quaternions", "quaIdentity(q)", lambda: mc.quaIdentity(q_wxyz),
         "Rotation.from_quat(q)", lambda: Rotation.from_quat(q_xyzw)),
        ("quaternion -> matrix", "qua2RMatrix(q)", lambda: mc.qua2RMatrix(q_wxyz),
         "Rotation.from_quat(q).as_matrix()", lambda: Rotation.from_quat(q_xyzw).as_matrix()),
        ("matrix -> quaternion", "rotation2Qua(m)", lambda: mc.rotation2Qua(m_row),
         "Rotation.from_matrix(m).as_quat()", lambda: Rotation.from_matrix(m_col).as_quat()),
        ("quaternion -> Euler ZYX", "qua2EulRadian(q, ZYX)", lambda: mc.qua2EulRadian(q_wxyz, ZYX),
         "r.as_euler('ZYX')", lambda: rq.as_euler("ZYX")),
        ("matrix -> Euler ZYX", "rotm2EulRadian(m, ZYX)", lambda: mc.rotm2EulRadian(m_row, ZYX),
         "Rotation.from_matrix(m).as_euler('ZYX')",
         lambda: Rotation.from_matrix(m_col).as_euler("ZYX")),
        ("Euler ZYX -> quaternion", "euler2QuaRadian(a, ZYX)",
         lambda: mc.euler2QuaRadian(angles, ZYX),
         "Rotation.from_euler('ZYX', a).as_quat()",
         lambda: Rotation.from_euler("ZYX", angles_zyx).as_quat()),
        ("matrix -> rotation vector", "rotm2RodVector(m)", lambda: mc.rotm2RodVector(m_col),
         "Rotation.from_matrix(m).as_rotvec()", lambda: Rotation.from_matrix(m_col).as_rotvec()),
        ("quaternion -> rotation vector", "qua2AngleAxis(q)", lambda: mc.qua2AngleAxis(q_wxyz),
         "r.as_rotvec()", lambda: rq.as_rotvec()),
        ("rotation vector -> matrix", "rodVector2Rotm(v)",
         lambda: mc.rodVector2Rotm(angles),
         "Rotation.from_rotvec(v).as_matrix()",
         lambda: Rotation.from_rotvec(angles).as_matrix()),
        ("quaternion product", "quaMulti(a, b)", lambda: mc.quaMulti(q_wxyz, p_wxyz),
         "(ra * rb).as_quat()", lambda: (rq * rp).as_quat()),
    ]

    print(f"N = {n:,} rotations; best of 5; Python {platform.python_version()}, "
          f"NumPy {np.__version__}, SciPy {scipy.__version__}, {platform.machine()}")
    print()
    print("| conversion | zr call | zr [ms] | SciPy call | SciPy [ms] | SciPy / zr |")
    print("|---|---|---:|---|---:|---:|")
    for what, zname, zf, sname, sf in rows:
        tz = best_of(zf)
        ts = best_of(sf)
        print(f"| {what} | `{zname}` | {tz * 1e3:.1f} | `{sname}` | {ts * 1e3:.1f} | "
              f"{ts / tz:.2f} |")


if __name__ == "__main__":
    main()
