#!/usr/bin/env python3
"""An orientation round trip with the zr Python module.

Euler angles in degrees (order ZYX) become a quaternion, are composed with a second rotation,
written as a rotation matrix and read back into Euler angles; then the same for a stack of
100 000 orientations in one call each.

    /usr/bin/python3 examples/orientation.py      (after pip install ., see the README)
"""

import numpy as np

import zr
from zr import mathCommon as mc

ZYX = zr.ChannelOrderEuler.ZYX

# angles[0] is always about x, angles[1] about y, angles[2] about z; the order says how the three
# elementary rotations are composed (ZYX: Rz * Ry * Rx).
heading = np.array([10.0, 20.0, 30.0])
q = mc.euler2QuaDegree(heading, ZYX)                    # (w, x, y, z)
turn = mc.theatAngle2Qua(np.pi / 2, [0.0, 0.0, 1.0])   # a quarter turn about z
composed = mc.quaMulti(turn, q)                          # q first, then the turn
m = mc.qua2RMatrix(composed)                             # row-vector layout
back = mc.rotm2EulDegree(m, ZYX)

print("quaternion of (10, 20, 30) deg, ZYX:", q)
print("after a quarter turn about z:        ", composed)
print("Euler angles read back (deg):        ", back)
assert np.allclose(back, [10.0, 20.0, 120.0], atol=1e-12)

# The same round trip on a stack: every row gets exactly the bits of the single call.
rng = np.random.default_rng(7)
angles = rng.uniform(-89.0, 89.0, size=(100_000, 3))
qs = mc.euler2QuaDegree(angles, ZYX)
again = mc.qua2EulDegree(qs, ZYX)
print(f"{len(angles)} orientations, largest round-trip error: "
      f"{np.max(np.abs(again - angles)):.3g} deg")
assert np.array_equal(qs[123], mc.euler2QuaDegree(angles[123], ZYX))
