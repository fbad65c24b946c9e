"""3-D vector operations: exact values, stacks against single calls, NumPy formulas."""


import numpy as np

from zr import mathCommon as mc

from conftest import assert_bits


def test_same_arithmetic_as_numpy_in_the_same_order(rng):
    a = rng.normal(size=(500, 3)) * 10.0 ** rng.integers(-3, 4, size=(500, 1))
    b = rng.normal(size=(500, 3))
    x, y, z = a.T
    p, q, r = b.T
    assert_bits(mc.dotProduct3(a, b), (y * q + x * p) + z * r)
    assert_bits(mc.vector3NormSquare(a), (y * y + x * x) + z * z)
    assert_bits(mc.vector3Norm(a), np.sqrt((y * y + x * x) + z * z))
    d = a - b
    assert_bits(mc.eucDistancePoint33(a, b), np.sqrt((d[:, 0] ** 2 + d[:, 1] ** 2) + d[:, 2] ** 2))
    assert_bits(mc.crossVector3(a, b),
                np.stack([y * r - z * q, z * p - x * r, x * q - y * p], axis=1))
    n = np.sqrt((y * y + x * x) + z * z)
    assert_bits(mc.vectorUnitize(a), a / n[:, None])
    # float32 path: differences, squares and sum in float32, the root in float64.
    a2 = a[:, :2].astype(np.float32)
    b2 = b[:, :2].astype(np.float32)
    dx, dy = (a2 - b2).T
    s = (dy * dy + dx * dx).astype(np.float64)
    assert_bits(mc.eucDistancePoint22(a2, b2), np.sqrt(s).astype(np.float32).astype(np.float64))
    # The first rounding to float32 happens on the way in for float64 inputs as well.
    assert_bits(mc.eucDistancePoint22(a[:, :2], b[:, :2]), mc.eucDistancePoint22(a2, b2))
    # vectorNorm1 rounds each element to float32 and sums in float64 from index 0.
    v = a.ravel()
    acc = 0.0
    for t in np.abs(v.astype(np.float32)).astype(np.float64):
        acc += t
    assert mc.vectorNorm1(v) == acc


def test_angles_against_numpy(rng):
    a = rng.normal(size=(300, 3))
    b = rng.normal(size=(300, 3))
    c = np.einsum("ij,ij->i", a, b) / np.linalg.norm(a, axis=1) / np.linalg.norm(b, axis=1)
    # Both sides round a handful of operations in different orders; the angle is well
    # conditioned away from 0 and pi, so a few ULPs of the cosine stay a few ULPs of the angle.
    assert np.allclose(mc.vector3AngleRadian(a, b), np.arccos(c), rtol=0, atol=1e-14)
    assert np.allclose(mc.vector3AngleDegree(a, b), np.degrees(np.arccos(c)), rtol=0, atol=1e-12)
    assert np.allclose(mc.cos3Vector(a, b), c, rtol=0, atol=1e-15)


