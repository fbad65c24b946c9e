"""Rotating points, slerp, angular distance, alignment, mean and random rotations against SciPy.

zr quaternions are (w, x, y, z), SciPy's (x, y, z, w). SciPy uses other formulas, so comparisons
are within bounds in units of eps = 2**-52; rows of a stack are compared with the single call
bit for bit.
"""

import math

import numpy as np
import pytest
from scipy.spatial.transform import Rotation, Slerp

from zr import mathCommon as mc

from conftest import assert_bits

if not hasattr(mc, "quaRotatePoint"):
    pytest.skip("the binding does not expose the rotation extras yet", allow_module_level=True)

EPS = 2.0**-52


def xyzw(q):
    return np.asarray(q)[..., [1, 2, 3, 0]]


def wxyz(q):
    return np.ascontiguousarray(np.asarray(q)[..., [3, 0, 1, 2]])


def same_side(ref, q):
    """q flipped to ref's hemisphere (q and -q are one rotation)."""
    return q * np.where(np.sum(ref * q, axis=-1, keepdims=True) < 0, -1.0, 1.0)


def unit_quaternions(rng, n):
    q = rng.normal(size=(n, 4))
    return q / np.linalg.norm(q, axis=1)[:, None]


def test_rotate_point_matches_apply_and_stacks(rng):
    q = unit_quaternions(rng, 50)
    p = rng.uniform(-5, 5, size=(50, 3))
    out = mc.quaRotatePoint(q, p)
    assert np.abs(out - Rotation.from_quat(xyzw(q)).apply(p)).max() <= 64 * EPS
    for i in (0, 17):
        assert_bits(out[i], mc.quaRotatePoint(q[i], p[i]))
    assert_bits(mc.quaRotatePoint(q[3], p)[5], mc.quaRotatePoint(q[3], p[5]))  # one q, N points
    assert_bits(mc.quaRotatePoint([0, 0, 0, 0], [-0.0, 2.0, 3.0]), np.array([-0.0, 2.0, 3.0]))


def test_slerp_and_distance_match_scipy(rng):
    a, b = unit_quaternions(rng, 2)
    t = np.linspace(0.0, 1.0, 9)
    out = mc.quaSlerp(a, b, t)
    ref = Slerp([0.0, 1.0], Rotation.from_quat(xyzw(np.stack([a, b]))))(t).as_quat()
    assert np.abs(same_side(out, wxyz(ref)) - out).max() <= 16 * EPS
    assert_bits(out[0], mc.quaIdentity(a))  # exactly the normalised a
    d = mc.quaAngularDistance(a, b)
    assert abs(d - (Rotation.from_quat(xyzw(a)).inv() * Rotation.from_quat(xyzw(b))).magnitude()) <= 16 * EPS
    steps = mc.quaAngularDistance(out[:-1], out[1:])  # N pairs
    assert np.abs(steps - d / 8).max() <= 16 * EPS
    assert mc.quaAngularDistance([1, 0, 0, 0], [math.cos(1e-10), 0, math.sin(1e-10), 0]) == pytest.approx(2e-10, rel=4 * EPS)


def test_vectors_and_alignment_match_scipy(rng):
    q = mc.vectors2Qua([1, 2, 3], [-2, 0.5, 1])
    v = Rotation.from_quat(xyzw(q)).apply([1, 2, 3])
    assert np.abs(v / np.linalg.norm(v) - np.array([-2, 0.5, 1]) / math.sqrt(5.25)).max() <= 16 * EPS
    assert np.array_equal(mc.vectors2Qua([1, 0, 0], [-1, 0, 0]), [0.0, 0.0, 0.0, 1.0])  # about z

    b = rng.normal(size=(6, 3))
    a = Rotation.from_quat(xyzw(unit_quaternions(rng, 1)[0])).apply(b) + rng.normal(scale=0.05, size=(6, 3))
    w = rng.uniform(0.5, 2, size=6)
    ref, _ = Rotation.align_vectors(a, b, weights=w)
    q = mc.alignVectors(a, b, w)
    assert (Rotation.from_quat(xyzw(q)).inv() * ref).magnitude() <= 1e-12
    with pytest.raises(IndexError, match="invalid vector<T> subscript"):
        mc.alignVectors(a, b, w[:5])


def test_mean_matches_scipy_and_random_is_reproducible(rng):
    qs = unit_quaternions(rng, 7)
    w = rng.uniform(0.1, 1, size=7)
    q = mc.quaMean(qs, w)
    ref = Rotation.from_quat(xyzw(qs)).mean(weights=w)
    assert (Rotation.from_quat(xyzw(q)).inv() * ref).magnitude() <= 1e-12
    assert_bits(mc.quaMean(qs * np.array([[1], [-1], [1], [-1], [1], [1], [-1]]), w), q)  # sign-free

    many = mc.quaRandom(7, np.arange(1000, dtype=np.uint64))  # N random rotations
    assert many.shape == (1000, 4)
    assert_bits(many[123], mc.quaRandom(7, 123))
    first = ["-0x1.4bab27a72e9fcp-2", "-0x1.d8d23a75c0844p-2", "-0x1.a5353112a2b3dp-1", "-0x1.2485c5461dff1p-4"]
    assert_bits(mc.quaRandom(0, 0), np.array([float.fromhex(h) for h in first]))
