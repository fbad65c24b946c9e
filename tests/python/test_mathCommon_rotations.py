"""Quaternions, matrices, Euler angles and rotation vectors against scipy's Rotation.

zr keeps quaternions scalar first (w, x, y, z), SciPy scalar last. zr's Euler orders are
compositions of elementary rotations in the order of their letters, which is SciPy's intrinsic
(upper-case) convention; the triple is always indexed by axis (x, y, z), while SciPy takes the
angles in the order of the letters. qua2RMatrix writes the row-vector layout (SciPy's matrix
transposed); rodVector2Rotm, rotm2RodVector and quaMat2AngleAxis use SciPy's column-vector layout.

SciPy computes the same quantities with other formulas, so those comparisons are within stated
absolute bounds in units of eps = 2**-52 on values of magnitude at most about 1 (or pi for
angles); comparisons between zr operations, and with the Hamilton product written out in
NumPy, are exact.
"""

import math

import numpy as np
import pytest
from scipy.spatial.transform import Rotation

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


def random_unit_quaternions(rng, n):
    q = rng.normal(size=(n, 4))
    return q / np.linalg.norm(q, axis=1)[:, None]


def scipy_angles(order, a):
    """zr's triple (about x, y, z) in the letter order SciPy expects."""
    return np.stack([a[..., AXIS[c]] for c in order.name], axis=-1)


def zr_angles(order, s):
    """SciPy's angles in letter order back into zr's (x, y, z) indexing."""
    out = np.empty_like(s)
    for k, c in enumerate(order.name):
        out[..., AXIS[c]] = s[..., k]
    return out


def test_documented_values():
    assert_bits(mc.quaMulti([1, 2, 3, 4], [5, 6, 7, 8]), np.array([-60.0, 12.0, 30.0, 24.0]))
    assert_bits(mc.quaIdentity([0, 0, 0, 0]), np.array([1.0, 0.0, 0.0, 0.0]))
    assert_bits(mc.quaIdentity([1, 2, 3, 4]), np.array([1.0, 2, 3, 4]) / math.sqrt(30))
    assert_bits(mc.quaConju([1, 0, 0, 0]), np.array([1.0, -0.0, -0.0, -0.0]))
    assert_bits(mc.quaConjugate([1, 0, 0, 0]), np.array([1.0, -0.0, -0.0, -0.0]))
    assert_bits(mc.quaInv([2, 0, 0, 0]), np.array([1.0, -0.0, -0.0, -0.0]))
    assert np.isnan(mc.quaInv([0, 0, 0, 0])).all()
    assert_bits(mc.qua2RMatrix([0, 0, 0, 0]), np.eye(3))
    assert_bits(mc.qua2RMatrix([2, 0, 0, 0]), np.eye(3))
    angle, axis = mc.qua2AngleAxis([1, 0, 0, 0])
    assert angle == 0.0 and and_bits_zero(axis)
    assert_bits(mc.theatAngle2Qua(math.pi, [0, 0, 2]),
                np.array([math.cos(math.pi / 2), 0.0, 0.0, 2.0]))
    # Euler: an order outside 0..5 gives the identity quaternion.
    for bad in (6, -1):
        assert_bits(mc.euler2QuaRadian([0.1, 0.2, 0.3], bad), np.array([1.0, 0, 0, 0]))
    q = mc.euler2QuaDegree([180, 0, 0], zr.ChannelOrderEuler.XYZ)
    assert q[1] == 1.0 and q[2] == 0.0 and q[3] == 0.0 and abs(q[0]) < 1e-16
    assert_bits(mc.euler2QuaDegree([0, 0, 0], zr.ChannelOrderEuler.ZYX), np.array([1.0, 0, 0, 0]))
    # Rodrigues
    t = 0.3
    assert_bits(mc.rodVector2Rotm([0, 0, t])[0, :2], np.array([math.cos(t), -math.sin(t)]))
    # The identity, the zero vector and half-turns: test_rotation_singular.py.
    # Row 0 of the row-vector matrix of a turn about z by +0.3 is (cos, sin, 0).
    m = mc.qua2RMatrix([math.cos(0.15), 0, 0, math.sin(0.15)])
    assert np.allclose(m[0], [math.cos(0.3), math.sin(0.3), 0], atol=4 * EPS)


def and_bits_zero(v):
    return np.array_equal(np.asarray(v), np.zeros(3)) and not np.signbit(v).any()


def test_invalid_order_writes_no_angles():
    m = np.eye(3)
    for f in (mc.rotm2EulRadian, mc.rotm2EulDegree):
        assert np.isnan(f(m, 7)).all()
    for f in (mc.qua2EulRadian, mc.qua2EulDegree):
        assert np.isnan(f([1, 0, 0, 0], -3)).all()


def test_hamilton_product_exactly(rng):
    a = rng.normal(size=(1000, 4))
    b = rng.normal(size=(1000, 4))
    aw, ax, ay, az = a.T
    bw, bx, by, bz = b.T
    expected = np.stack([
        aw * bw - ax * bx - ay * by - az * bz,
        aw * bx + ax * bw + ay * bz - az * by,
        aw * by - ax * bz + ay * bw + az * bx,
        aw * bz + ax * by - ay * bx + az * bw], axis=1)
    assert_bits(mc.quaMulti(a, b), expected)


def test_products_against_scipy(rng):
    a = random_unit_quaternions(rng, 2000)
    b = random_unit_quaternions(rng, 2000)
    expected = wxyz((Rotation.from_quat(xyzw(a)) * Rotation.from_quat(xyzw(b))).as_quat())
    got = mc.quaMulti(a, b)
    # SciPy composes with a cross-product formula and renormalises; a handful of roundings.
    assert np.max(np.abs(same_rotation(got, expected) - got)) <= 8 * EPS


def test_quaternion_to_matrix_against_scipy(rng):
    q = rng.normal(size=(2000, 4))  # not unit: both sides normalise first
    m = mc.qua2RMatrix(q)
    expected = Rotation.from_quat(xyzw(q)).as_matrix().transpose(0, 2, 1)
    assert np.max(np.abs(m - expected)) <= 8 * EPS
    # quaInv and quaConju of a unit quaternion are the inverse rotation.
    u = q / np.linalg.norm(q, axis=1)[:, None]
    inv = Rotation.from_quat(xyzw(u)).inv().as_quat()
    assert np.max(np.abs(same_rotation(mc.quaInv(u), wxyz(inv)) - mc.quaInv(u))) <= 4 * EPS
    assert np.max(np.abs(mc.quaIdentity(q) - u)) <= 2 * EPS


def test_angle_axis_against_scipy(rng):
    q = random_unit_quaternions(rng, 2000)
    q[q[:, 0] < 0] *= -1  # angle in [0, pi], as SciPy's rotvec
    rotvec = Rotation.from_quat(xyzw(q)).as_rotvec()
    angle, axis = mc.qua2AngleAxis(q)
    # acos(w) loses digits as w nears 1 (SciPy uses atan2): the angle's error grows as
    # eps / sin(angle/2), and the axis is divided by that same sine.
    h = np.sin(angle / 2)
    assert np.all(np.abs(angle[:, None] * axis - rotvec).max(axis=1) <= 8 * EPS / h)
    # theatAngle2Qua(angle, axis) rebuilds q.
    assert np.all(np.abs(mc.theatAngle2Qua(angle, axis) - q).max(axis=1) <= 8 * EPS / h)
    # quaMat2AngleAxis reads SciPy's (column-vector) layout. Its angle is acos((trace - 1)/2):
    # an error of eps in the cosine is eps / sin(angle) in the angle, and the axis divides by
    # 2 sin(angle) again, so the bound scales as 1 / sin^2 (measured: below 5.2 eps * that).
    m = Rotation.from_quat(xyzw(q)).as_matrix()
    a2, x2 = mc.quaMat2AngleAxis(m)
    err = np.abs(a2[:, None] * x2 - rotvec).max(axis=1)
    assert np.all(err <= 8 * EPS / np.sin(a2) ** 2)
    assert_bits(mc.quaMat2AngleAxis(np.eye(3))[1], np.zeros(3))


def test_rotation_vectors_against_scipy(rng):
    v = rng.normal(size=(2000, 3))
    n = np.linalg.norm(v, axis=1)
    v *= (rng.uniform(0.01, math.pi - 0.01, size=2000) / n)[:, None]
    m = mc.rodVector2Rotm(v)
    assert np.max(np.abs(m - Rotation.from_rotvec(v).as_matrix())) <= 16 * EPS
    back = mc.rotm2RodVector(m)
    # The angle comes from acos of the trace and the axis is divided by 2 sin(angle): the same
    # 1 / sin^2 conditioning as quaMat2AngleAxis (measured: below 7.8 eps * that).
    bound = 12 * EPS / np.sin(np.linalg.norm(v, axis=1)) ** 2
    assert np.all(np.abs(back - v).max(axis=1) <= bound)
    assert np.all(np.abs(back - Rotation.from_matrix(m).as_rotvec()).max(axis=1) <= bound)
    assert np.allclose(mc.rotm2RodVector(mc.rodVector2Rotm([0.1, -0.4, 0.25])),
                       [0.1, -0.4, 0.25], rtol=0, atol=1e-15)


@pytest.mark.parametrize("order", ORDERS, ids=[o.name for o in ORDERS])
def test_euler_against_scipy(rng, order):
    a = rng.uniform(-math.pi, math.pi, size=(2000, 3))
    mid = AXIS[order.name[1]]
    a[:, mid] = rng.uniform(-1.4, 1.4, size=2000)  # away from gimbal lock
    r = Rotation.from_euler(order.name, scipy_angles(order, a))
    q = mc.euler2QuaRadian(a, order)
    expected = wxyz(r.as_quat())
    # The matrix-to-quaternion step takes its first branch whenever 1 + trace = 4 w^2 > 1e-8 and
    # then divides by 4 w: the few-eps error of the trace becomes eps / |w| in the result
    # (measured: |error| * |w| below 1.5 eps). SciPy picks the best-conditioned branch.
    err = np.abs(same_rotation(q, expected) - q).max(axis=1)
    assert np.all(err <= 16 * EPS + 4 * EPS / np.abs(q[:, 0]))
    # Back to angles: from the quaternion, and from the row-vector matrix it gives.
    back = mc.qua2EulRadian(q, order)
    # Against SciPy on the same quaternion: the middle angle comes from asin, whose error grows
    # as 1 / cos(middle angle) (measured: below 5 eps * that; angles reach pi, ulp 2 eps).
    from_scipy = zr_angles(order, Rotation.from_quat(xyzw(q)).as_euler(order.name))
    err = np.abs(back - from_scipy).max(axis=1)
    assert np.all(err <= 8 * EPS / np.cos(back[:, mid]))
    # The round trip returns the triple (its error adds the eps / |w| of the quaternion step).
    assert np.max(np.abs(back - a)) <= 1e-9
    assert_bits(mc.rotm2EulRadian(mc.qua2RMatrix(q), order), back)
    # Degree variants: the radian results scaled by 180/pi on the way out, (d/180)*pi on the way in.
    assert_bits(mc.qua2EulDegree(q, order), back * 180.0 / math.pi)
    assert_bits(mc.rotm2EulDegree(mc.qua2RMatrix(q), order), back * 180.0 / math.pi)
    d = a * 180.0 / math.pi
    assert_bits(mc.euler2QuaDegree(d, order), mc.euler2QuaRadian(d / 180.0 * math.pi, order))


def test_euler_orders_compose_elementary_rotations():
    t = [0.1, 0.2, 0.3]
    X = mc.theatAngle2Qua(0.1, [1, 0, 0])
    Y = mc.theatAngle2Qua(0.2, [0, 1, 0])
    Z = mc.theatAngle2Qua(0.3, [0, 0, 1])
    xyz = mc.quaMulti(mc.quaMulti(X, Y), Z)
    zyx = mc.quaMulti(mc.quaMulti(Z, Y), X)
    assert np.allclose(mc.euler2QuaRadian(t, zr.ChannelOrderEuler.XYZ), xyz, atol=4 * EPS)
    assert np.allclose(mc.euler2QuaRadian(t, zr.ChannelOrderEuler.ZYX), zyx, atol=4 * EPS)
    assert not np.allclose(xyz, zyx)


def test_stack_shapes_and_errors():
    assert mc.qua2RMatrix(np.zeros((0, 4))).shape == (0, 3, 3)
    assert mc.quaMulti([1, 0, 0, 0], np.ones((5, 4))).shape == (5, 4)
    angle, axis = mc.qua2AngleAxis(np.ones((2, 4)) * 0.5)
    assert angle.shape == (2,) and axis.shape == (2, 3)
    assert isinstance(mc.qua2AngleAxis([1, 0, 0, 0])[0], float)
    with pytest.raises(ValueError, match=r"rotation2Qua\(\): parameter 'm' must have shape "
                                         r"\(3, 3\) or \(N, 3, 3\), got \(9,\)"):
        mc.rotation2Qua(np.eye(3).ravel())
    with pytest.raises(ValueError, match=r"parameter 'axis' holds 3 rows but 'theta' holds 2"):
        mc.theatAngle2Qua([0.1, 0.2], np.ones((3, 3)))
    with pytest.raises(TypeError):
        mc.euler2QuaRadian([0, 0, 0], 1.5)  # the order is an integer


def test_matrix_to_quaternion(rng):
    q = random_unit_quaternions(rng, 2000)
    m_row = mc.qua2RMatrix(q)
    back = mc.rotation2Qua(m_row)  # reads the row-vector layout qua2RMatrix writes
    w = np.abs(back[:, 0])
    # Same conditioning as the Euler conversions: the first branch divides by 4 w.
    assert np.all(np.abs(same_rotation(back, q) - back).max(axis=1) <= 16 * EPS + 4 * EPS / w)
    # SciPy's as_matrix is the column-vector layout: transpose it for rotation2Qua.
    m_col = Rotation.from_quat(xyzw(q)).as_matrix()
    assert_bits(mc.rotation2Qua(m_col.transpose(0, 2, 1)), mc.rotation2Qua(np.ascontiguousarray(
        m_col.transpose(0, 2, 1))))
    # Sign: w > 0 on the first branch; a half turn about x takes the second and gives (0, 1, 0, 0).
    assert np.all(back[:, 0] > 0)
    assert_bits(mc.rotation2Qua(np.diag([1.0, -1.0, -1.0])), np.array([0.0, 1.0, 0.0, 0.0]))
    assert_bits(mc.rotation2Qua(np.eye(3)), np.array([1.0, 0.0, 0.0, 0.0]))
