"""zr.mathCommon through the binding: the layouts and conventions against SciPy's Rotation, and the
arithmetic order of the vector helpers against NumPy, bit for bit.

zr keeps quaternions scalar first (w, x, y, z), SciPy scalar last. zr's Euler orders compose
elementary rotations in the order of their letters (SciPy's intrinsic, upper-case convention); the
triple is indexed by axis (x, y, z), SciPy takes the angles in letter order. qua2RMatrix writes the
row-vector layout (SciPy's matrix transposed); rodVector2Rotm and quaMat2AngleAxis use SciPy's
column-vector layout. Accuracy near the singular points is the C++ tests' business.
"""

import numpy as np
import pytest
from scipy.spatial.transform import Rotation, Slerp

import zr
from zr import mathCommon as mc

from conftest import assert_bits

EPS = 2.0**-52
AXIS = {"X": 0, "Y": 1, "Z": 2}


def wxyz(q_xyzw):
    return np.ascontiguousarray(np.asarray(q_xyzw)[..., [3, 0, 1, 2]])


def xyzw(q_wxyz):
    return np.ascontiguousarray(np.asarray(q_wxyz)[..., [1, 2, 3, 0]])


def same_rotation(q1, q2):
    """q2 flipped to q1's hemisphere (q and -q are one rotation)."""
    return q2 * np.where(np.sum(q1 * q2, axis=-1, keepdims=True) < 0, -1.0, 1.0)


def test_conventions_against_scipy(rng):
    q = rng.normal(size=(500, 4))
    q /= np.linalg.norm(q, axis=1)[:, None]
    q[q[:, 0] < 0] *= -1
    r = Rotation.from_quat(xyzw(q))
    got = mc.quaMulti(q[:-1], q[1:])
    assert np.max(np.abs(same_rotation(got, wxyz((r[:-1] * r[1:]).as_quat())) - got)) <= 8 * EPS
    assert np.max(np.abs(mc.qua2RMatrix(q) - r.as_matrix().transpose(0, 2, 1))) <= 8 * EPS
    assert np.max(np.abs(mc.rodVector2Rotm(r.as_rotvec()) - r.as_matrix())) <= 16 * EPS
    angle, axis = mc.qua2AngleAxis(q)
    assert np.all(np.abs(angle[:, None] * axis - r.as_rotvec()).max(axis=1) <= 8 * EPS / np.sin(angle / 2))
    a2, x2 = mc.quaMat2AngleAxis(r.as_matrix())
    assert np.all(np.abs(a2[:, None] * x2 - r.as_rotvec()).max(axis=1) <= 8 * EPS / np.sin(a2) ** 2)
    p = rng.uniform(-5, 5, size=(500, 3))
    assert np.abs(mc.quaRotatePoint(q, p) - r.apply(p)).max() <= 64 * EPS
    t = np.linspace(0.0, 1.0, 9)
    out = mc.quaSlerp(q[0], q[1], t)
    ref = wxyz(Slerp([0.0, 1.0], r[:2])(t).as_quat())
    assert np.abs(same_rotation(out, ref) - out).max() <= 16 * EPS
    for order in zr.ChannelOrderEuler:
        a = rng.uniform(-1.4, 1.4, size=(200, 3))  # away from gimbal lock
        letters = [AXIS[c] for c in order.name]
        e = mc.euler2QuaRadian(a, order)
        ref = wxyz(Rotation.from_euler(order.name, a[:, letters]).as_quat())
        assert np.max(np.abs(same_rotation(e, ref) - e)) <= 1e-12
        assert np.max(np.abs(mc.rotm2EulRadian(mc.qua2RMatrix(e), order) - a)) <= 1e-12


def test_vector_helpers_in_the_same_order_as_numpy(rng):
    a = rng.normal(size=(500, 3)) * 10.0 ** rng.integers(-3, 4, size=(500, 1))
    b = rng.normal(size=(500, 3))
    x, y, z = a.T
    p, q, r = b.T
    assert_bits(mc.dotProduct3(a, b), (y * q + x * p) + z * r)
    assert_bits(mc.crossVector3(a, b), np.stack([y * r - z * q, z * p - x * r, x * q - y * p], axis=1))
    # float32 path: differences, squares and sum in float32 (float64 inputs round on the way in).
    dx, dy = (a[:, :2].astype(np.float32) - b[:, :2].astype(np.float32)).T
    s = (dy * dy + dx * dx).astype(np.float64)
    assert_bits(mc.eucDistancePoint22(a[:, :2], b[:, :2]), np.sqrt(s).astype(np.float32).astype(np.float64))


def test_stack_shapes_and_errors():
    assert mc.qua2RMatrix(np.zeros((0, 4))).shape == (0, 3, 3)
    assert mc.quaMulti([1, 0, 0, 0], np.ones((5, 4))).shape == (5, 4)
    assert isinstance(mc.qua2AngleAxis([1, 0, 0, 0])[0], float)
    assert np.isnan(mc.rotm2EulRadian(np.eye(3), 7)).all()  # an invalid order writes no angles
    first = ["-0x1.4bab27a72e9fcp-2", "-0x1.d8d23a75c0844p-2", "-0x1.a5353112a2b3dp-1", "-0x1.2485c5461dff1p-4"]
    assert_bits(mc.quaRandom(0, np.arange(3, dtype=np.uint64))[0], np.array([float.fromhex(h) for h in first]))
    with pytest.raises(ValueError, match=r"rotation2Qua\(\): parameter 'm' must have shape "
                                         r"\(3, 3\) or \(N, 3, 3\), got \(9,\)"):
        mc.rotation2Qua(np.eye(3).ravel())
    with pytest.raises(ValueError, match=r"parameter 'axis' holds 3 rows but 'theta' holds 2"):
        mc.theatAngle2Qua([0.1, 0.2], np.ones((3, 3)))
    with pytest.raises(IndexError, match="invalid vector<T> subscript"):
        mc.alignVectors(np.ones((3, 3)), np.ones((3, 3)), np.ones(2))
    with pytest.raises(TypeError):
        mc.euler2QuaRadian([0, 0, 0], 1.5)  # the order is an integer
