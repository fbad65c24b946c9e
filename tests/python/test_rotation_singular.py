"""Rotation vectors and Euler read-back at their singular points (angle 0, half-turns, gimbal
lock) through the stacked conversions. SciPy's Rotation builds the inputs and rebuilds the
rotations from zr's results (from_rotvec, from_euler and as_matrix are accurate there; only its
as_euler is not, and it is not used). Conventions as in test_mathCommon_rotations.py.
"""

import math

import numpy as np
import pytest
from scipy.spatial.transform import Rotation

import zr
from zr import mathCommon as mc

from conftest import assert_bits

ORDERS = list(zr.ChannelOrderEuler)
AXIS = {"X": 0, "Y": 1, "Z": 2}

# The hard cases, one table: rotation angles tried about every test axis, and distances of the
# middle Euler angle from +90 and -90 degrees (k = 1 ... 16).
K = np.arange(1, 17)
HARD_ANGLES = np.concatenate([[0.0, math.pi, 1e-300], 10.0**-K, math.pi - 10.0**-K])
MIDDLE_OFFSETS = np.concatenate([[0.0], 10.0**-K, -(10.0**-K)])


def wxyz(q_xyzw):
    return np.ascontiguousarray(q_xyzw[:, [3, 0, 1, 2]])


def euler_matrix(a, order):
    """Column-vector matrices of zr triples (indexed by axis) composed in the order's letters."""
    return Rotation.from_euler(order.name, np.stack([a[:, AXIS[c]] for c in order.name], axis=-1)).as_matrix()


def assert_rebuilt(got, want):
    err = np.linalg.norm(got - want, axis=(-2, -1))
    assert not np.isnan(err).any()
    assert err.max() <= 1e-9


@pytest.mark.parametrize("order", ORDERS, ids=[o.name for o in ORDERS])
def test_round_trips_rebuild_the_rotation(rng, order):
    axes = np.vstack([np.eye(3), [[1, 1, 0], [1, -1, 1]], rng.normal(size=(9, 3))])
    axes /= np.linalg.norm(axes, axis=1)[:, None]
    r = Rotation.concatenate([Rotation.from_rotvec((HARD_ANGLES[:, None, None] * axes).reshape(-1, 3)),
                              Rotation.random(500, random_state=rng)])
    q, want = wxyz(r.as_quat()), r.as_matrix()
    # quaternion -> matrix (row-vector layout, transposed) -> rotation vector -> matrix
    v = mc.rotm2RodVector(np.ascontiguousarray(mc.qua2RMatrix(q).transpose(0, 2, 1)))
    assert_rebuilt(mc.rodVector2Rotm(v), want)
    assert_rebuilt(euler_matrix(mc.qua2EulRadian(q, order), order), want)

    # Euler -> quaternion -> Euler around gimbal lock, radians and degrees.
    mid = AXIS[order.name[1]]
    middle = (np.array([-1.0, 1.0])[:, None] * (math.pi / 2) + MIDDLE_OFFSETS).ravel()
    t = rng.uniform(-math.pi, math.pi, size=(middle.size, 3))
    t[:, mid] = middle
    want = euler_matrix(t, order)
    assert_rebuilt(euler_matrix(mc.qua2EulRadian(mc.euler2QuaRadian(t, order), order), order), want)
    d = mc.rotm2EulDegree(mc.qua2RMatrix(mc.euler2QuaDegree(t * 180.0 / math.pi, order)), order)
    assert_rebuilt(euler_matrix(d / 180.0 * math.pi, order), want)


def test_decisions_at_the_singular_points():
    assert_bits(mc.rodVector2Rotm(np.zeros((2, 3))), np.stack([np.eye(3)] * 2))
    # The identity gives +0; a half-turn +pi along the axis of its largest diagonal element.
    turns = np.array([np.eye(3), np.diag([1.0, -1, -1]), np.diag([-1.0, 1, -1]), np.diag([-1.0, -1, 1])])
    assert_bits(mc.rotm2RodVector(turns), np.vstack([np.zeros(3), np.eye(3) * math.pi]))
    # A hair past the trace of a rotation by rounding is still one; 1e-10 past it is not.
    assert_bits(mc.rotm2RodVector(np.diag([1.0 + 2.0**-52, 1, 1])), np.zeros(3))
    assert np.isnan(mc.rotm2RodVector(np.diag([1.0000000001, 1, 1]))).all()
    assert np.isnan(mc.rotm2RodVector(np.diag([1.0, -1.0000000001, -1]))).all()
    # Gimbal lock: the right factor's angle (the last letter's axis) is 0, the left one carries
    # the sum (+90 degrees for XYZ, YZX, ZXY) or the difference of the two outer angles.
    for order in ORDERS:
        t = np.full((2, 3), 0.3)
        t[:, AXIS[order.name[1]]] = [-math.pi / 2, math.pi / 2]
        a = mc.qua2EulRadian(mc.euler2QuaRadian(t, order), order)
        assert_bits(a[:, AXIS[order.name[2]]], np.zeros(2))
        cyclic = order.name in ("XYZ", "YZX", "ZXY")
        assert np.allclose(a[:, AXIS[order.name[0]]], [0.0, 0.6] if cyclic else [0.6, 0.0], rtol=0, atol=1e-15)
