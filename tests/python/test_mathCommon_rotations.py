"""Rotations through the binding against SciPy's Rotation: quaternion order, matrix layouts, Euler
conventions and the stacked calls.

zr keeps quaternions scalar first (w, x, y, z), SciPy scalar last. zr's Euler orders compose
elementary rotations in the order of their letters (SciPy's intrinsic, upper-case convention); the
triple is indexed by axis (x, y, z), SciPy takes the angles in letter order. qua2RMatrix writes the
row-vector layout (SciPy's matrix transposed); rodVector2Rotm, rotm2RodVector and quaMat2AngleAxis
use SciPy's column-vector layout. SciPy uses other formulas, so bounds are in eps = 2**-52.
"""

import math

import numpy as np
import pytest
from scipy.spatial.transform import Rotation, Slerp

import zr
from zr import mathCommon as mc

from conftest import assert_bits

EPS = 2.0**-52
ORDERS = list(zr.ChannelOrderEuler)
AXIS = {"X": 0, "Y": 1, "Z": 2}


def wxyz(q_xyzw):
    return np.ascontiguousarray(np.asarray(q_xyzw)[..., [3, 0, 1, 2]])


def xyzw(q_wxyz):
    return np.ascontiguousarray(np.asarray(q_wxyz)[..., [1, 2, 3, 0]])


def same_rotation(q1, q2):
    """Quaternions q and -q are the same rotation: flip q2 to q1's hemisphere."""
    s = np.sign(np.sum(q1 * q2, axis=-1, keepdims=True))
    return q2 * np.where(s == 0, 1, s)


def unit_quaternions(rng, n):
    q = rng.normal(size=(n, 4))
    return q / np.linalg.norm(q, axis=1)[:, None]


def test_quaternions_and_matrices_against_scipy(rng):
    a, b = unit_quaternions(rng, 2000), rng.normal(size=(2000, 4))  # b not unit: both normalise
    expected = wxyz((Rotation.from_quat(xyzw(a)) * Rotation.from_quat(xyzw(b))).as_quat())
    got = mc.quaMulti(a, b / np.linalg.norm(b, axis=1)[:, None])
    assert np.max(np.abs(same_rotation(got, expected) - got)) <= 8 * EPS
    assert np.max(np.abs(mc.qua2RMatrix(b) - Rotation.from_quat(xyzw(b)).as_matrix().transpose(0, 2, 1))) <= 8 * EPS
    inv = mc.quaInv(a)
    assert np.max(np.abs(same_rotation(inv, wxyz(Rotation.from_quat(xyzw(a)).inv().as_quat())) - inv)) <= 4 * EPS
    # rotation2Qua reads the row-vector layout qua2RMatrix writes; its first branch divides by 4 w.
    back = mc.rotation2Qua(mc.qua2RMatrix(a))
    assert np.all(np.abs(same_rotation(back, a) - back).max(axis=1) <= 16 * EPS + 4 * EPS / np.abs(back[:, 0]))
    assert_bits(mc.rotation2Qua(np.diag([1.0, -1.0, -1.0])), np.array([0.0, 1.0, 0.0, 0.0]))


def test_angle_axis_and_rotation_vectors_against_scipy(rng):
    q = unit_quaternions(rng, 2000)
    q[q[:, 0] < 0] *= -1  # angle in [0, pi], as SciPy's rotvec
    rotvec = Rotation.from_quat(xyzw(q)).as_rotvec()
    angle, axis = mc.qua2AngleAxis(q)
    # acos(w) loses digits as w nears 1 (SciPy uses atan2): errors grow as eps / sin(angle/2).
    h = np.sin(angle / 2)
    assert np.all(np.abs(angle[:, None] * axis - rotvec).max(axis=1) <= 8 * EPS / h)
    assert np.all(np.abs(mc.theatAngle2Qua(angle, axis) - q).max(axis=1) <= 8 * EPS / h)
    # From a matrix the angle is acos((trace - 1)/2) and the axis divides by 2 sin(angle): 1 / sin^2.
    m = Rotation.from_quat(xyzw(q)).as_matrix()
    a2, x2 = mc.quaMat2AngleAxis(m)
    assert np.all(np.abs(a2[:, None] * x2 - rotvec).max(axis=1) <= 8 * EPS / np.sin(a2) ** 2)
    assert np.max(np.abs(mc.rodVector2Rotm(rotvec) - m)) <= 16 * EPS


@pytest.mark.parametrize("order", ORDERS, ids=[o.name for o in ORDERS])
def test_euler_against_scipy(rng, order):
    a = rng.uniform(-math.pi, math.pi, size=(2000, 3))
    mid = AXIS[order.name[1]]
    a[:, mid] = rng.uniform(-1.4, 1.4, size=2000)  # away from gimbal lock
    letters = [AXIS[c] for c in order.name]
    q = mc.euler2QuaRadian(a, order)
    expected = wxyz(Rotation.from_euler(order.name, a[:, letters]).as_quat())
    # The matrix-to-quaternion step divides by 4 w: eps / |w| (SciPy picks the best branch).
    assert np.all(np.abs(same_rotation(q, expected) - q).max(axis=1) <= 16 * EPS + 4 * EPS / np.abs(q[:, 0]))
    back = mc.qua2EulRadian(q, order)
    from_scipy = np.empty_like(back)
    from_scipy[:, letters] = Rotation.from_quat(xyzw(q)).as_euler(order.name)
    # The middle angle comes from asin: its error grows as 1 / cos(middle angle).
    assert np.all(np.abs(back - from_scipy).max(axis=1) <= 8 * EPS / np.cos(back[:, mid]))
    assert_bits(mc.rotm2EulDegree(mc.qua2RMatrix(q), order), back * 180.0 / math.pi)
    d = a * 180.0 / math.pi
    assert_bits(mc.euler2QuaDegree(d, order), mc.euler2QuaRadian(d / 180.0 * math.pi, order))


def test_points_slerp_alignment_mean_and_random_against_scipy(rng):
    q = unit_quaternions(rng, 50)
    p = rng.uniform(-5, 5, size=(50, 3))
    assert np.abs(mc.quaRotatePoint(q, p) - Rotation.from_quat(xyzw(q)).apply(p)).max() <= 64 * EPS
    assert_bits(mc.quaRotatePoint(q[3], p)[5], mc.quaRotatePoint(q[3], p[5]))  # one q, N points
    a, b = q[0], q[1]
    t = np.linspace(0.0, 1.0, 9)
    out = mc.quaSlerp(a, b, t)
    ref = wxyz(Slerp([0.0, 1.0], Rotation.from_quat(xyzw(q[:2])))(t).as_quat())
    assert np.abs(same_rotation(out, ref) - out).max() <= 16 * EPS
    d = mc.quaAngularDistance(a, b)
    assert abs(d - (Rotation.from_quat(xyzw(a)).inv() * Rotation.from_quat(xyzw(b))).magnitude()) <= 16 * EPS

    bv = rng.normal(size=(6, 3))
    av = Rotation.from_quat(xyzw(q[2])).apply(bv) + rng.normal(scale=0.05, size=(6, 3))
    w = rng.uniform(0.5, 2, size=6)
    ref, _ = Rotation.align_vectors(av, bv, weights=w)
    assert (Rotation.from_quat(xyzw(mc.alignVectors(av, bv, w))).inv() * ref).magnitude() <= 1e-12
    with pytest.raises(IndexError, match="invalid vector<T> subscript"):
        mc.alignVectors(av, bv, w[:5])
    ref = Rotation.from_quat(xyzw(q[:7])).mean(weights=w[:6].tolist() + [1.0])
    assert (Rotation.from_quat(xyzw(mc.quaMean(q[:7], np.append(w[:6], 1.0)))).inv() * ref).magnitude() <= 1e-12
    first = ["-0x1.4bab27a72e9fcp-2", "-0x1.d8d23a75c0844p-2", "-0x1.a5353112a2b3dp-1", "-0x1.2485c5461dff1p-4"]
    assert_bits(mc.quaRandom(0, np.arange(3, dtype=np.uint64))[0], np.array([float.fromhex(h) for h in first]))


def test_stack_shapes_and_errors():
    assert mc.qua2RMatrix(np.zeros((0, 4))).shape == (0, 3, 3)
    assert mc.quaMulti([1, 0, 0, 0], np.ones((5, 4))).shape == (5, 4)
    angle, axis = mc.qua2AngleAxis(np.ones((2, 4)) * 0.5)
    assert angle.shape == (2,) and axis.shape == (2, 3)
    assert isinstance(mc.qua2AngleAxis([1, 0, 0, 0])[0], float)
    assert np.isnan(mc.rotm2EulRadian(np.eye(3), 7)).all()  # an invalid order writes no angles
    assert_bits(mc.euler2QuaRadian([0.1, 0.2, 0.3], -1), np.array([1.0, 0, 0, 0]))
    with pytest.raises(ValueError, match=r"rotation2Qua\(\): parameter 'm' must have shape "
                                         r"\(3, 3\) or \(N, 3, 3\), got \(9,\)"):
        mc.rotation2Qua(np.eye(3).ravel())
    with pytest.raises(ValueError, match=r"parameter 'axis' holds 3 rows but 'theta' holds 2"):
        mc.theatAngle2Qua([0.1, 0.2], np.ones((3, 3)))
    with pytest.raises(TypeError):
        mc.euler2QuaRadian([0, 0, 0], 1.5)  # the order is an integer
