"""Statistics, SVD, curves and hulls, images and the elementary family against NumPy and SciPy."""

import math

import numpy as np
import pytest
import scipy.signal
import scipy.spatial

import zr

from conftest import assert_bits

RNG = np.random.default_rng(2026)


def test_sample_statistics_match_numpy():
    s = zr.statisticsMath
    for n in (1, 2, 7, 100):
        x = RNG.normal(size=n)
        np.testing.assert_array_max_ulp(s.mean(x), np.mean(x), 4)  # numpy sums pairwise, zr from 0
        if n > 1:
            np.testing.assert_array_max_ulp(s.var(x), np.var(x, ddof=1), 8)
            np.testing.assert_array_max_ulp(s.std(x), np.std(x, ddof=1), 8)
    m = RNG.normal(size=(5, 6))
    assert np.array_equal(s.median(m, 2), np.median(m, axis=1))
    assert np.array_equal(s.median(m, 1), np.median(m, axis=0))
    pts = np.linspace(-3, 3, 13)
    pdf = s.normalpdf(pts, 0.5, 2.0)
    expected = np.exp(-((pts - 0.5) ** 2) / (2 * 2.0**2)) / (math.sqrt(2 * math.pi) * 2.0)
    np.testing.assert_array_max_ulp(pdf, expected, 8)


def test_svd_shapes_and_singular_values_match_numpy():
    for shape in ((4, 2), (2, 5)):
        a = RNG.normal(size=shape)
        u, sv, v = zr.SVD.compute(a)
        assert u.shape == (shape[0],) * 2 and sv.shape == shape and v.shape == (shape[1],) * 2
        assert np.allclose(np.diag(sv), np.linalg.svd(a, compute_uv=False), rtol=1e-12, atol=1e-12)
    with pytest.raises(ValueError, match="parameter 'A'"):
        zr.SVD.compute(np.zeros(3))


def test_hulls_match_scipy_on_random_integer_sets():
    for n in (5, 30, 300):
        pts = RNG.integers(-50, 50, size=(n, 2), dtype=np.int32)
        hull = scipy.spatial.ConvexHull(pts)
        vertices = {tuple(p) for p in pts[hull.vertices]}
        # zr keeps every boundary point; SciPy only the corners. Check corners, and that every
        # returned point lies on the boundary (a zero distance to some facet).
        for op in (zr.Graph.convexHullJarvis, zr.Graph.convexHullDivideConquer):
            got = op(pts)
            assert got.dtype == np.int32
            assert vertices <= {tuple(p) for p in got}
            dist = got @ hull.equations[:, :2].T + hull.equations[:, 2]
            assert np.all(np.min(np.abs(dist), axis=1) < 1e-9)
        g_hull, reordered = zr.Graph.convexHullGraham(pts)
        assert vertices <= {tuple(p) for p in g_hull}
        assert sorted(map(tuple, reordered)) == sorted(map(tuple, pts))
    with pytest.raises(TypeError):
        zr.Graph.convexHullJarvis(np.zeros((4, 2)))


def test_bezier_curves_are_float_samples_on_the_curve():
    curve = zr.Graph.bezier_1([0, 10], [0, 20])
    assert curve.shape == (501, 2) and curve.dtype == np.float64
    assert np.array_equal(curve[:, 0].astype(np.float32), curve[:, 0])  # formed in float32
    assert np.allclose(curve[:, 1], 2 * curve[:, 0], atol=1e-5)
    with pytest.raises(IndexError, match="invalid vector<T> subscript"):
        zr.Graph.bezier_3([1, 2, 3], [1, 2, 3])


def test_images_against_closed_forms_and_scipy():
    k = zr.imageProcessing.getGaussianKernel(5, 1.2, True)
    off = np.arange(5) - 2
    closed = np.exp(-(off[None, :] ** 2 + off[:, None] ** 2) / (2 * 1.2**2))
    assert np.max(np.abs(k - closed / closed.sum())) < 1e-15
    img = RNG.integers(0, 256, (20, 20), dtype=np.int32)
    out = zr.imageProcessing.imageBinaryzation(np.array([[10, 10], [200, 200]], dtype=np.int32))
    assert out.tolist() == [[0, 0], [255, 255]]
    gx, gy, mag = zr.imageProcessing.sobel(img)
    kx = np.array([[-1, 0, 1], [-2, 0, 2], [-1, 0, 1]])
    assert np.array_equal(gx, scipy.signal.correlate2d(img, kx, mode="valid"))
    assert np.array_equal(gy, scipy.signal.correlate2d(img, kx.T, mode="valid"))
    assert np.array_equal(mag, np.trunc(np.sqrt(gx.astype(float) ** 2 + gy.astype(float) ** 2)))
    colour = RNG.integers(0, 256, size=(4, 6, 3), dtype=np.int32)
    gray = zr.imageProcessing.rgbImage2Grayscale(colour)
    assert np.array_equal(gray, (11 * colour[..., 0] + 16 * colour[..., 1] + 5 * colour[..., 2]) // 32)
    with pytest.raises(ValueError, match=r"parameter 'colour' must have shape \(rows, cols, 3\)"):
        zr.imageProcessing.rgbImage2Grayscale(np.zeros((4, 6), dtype=np.int32))


def test_convolutions_match_numpy_and_scipy():
    cv = zr.convolutionMath
    for m, n in ((1, 1), (3, 7), (8, 2)):
        u = RNG.integers(-100, 100, m).astype(float)
        v = RNG.integers(-100, 100, n).astype(float)
        assert_bits(cv.conv(u, v), np.convolve(u, v).astype(float))  # small integers: exact
    with pytest.raises(ValueError, match="vector<T> too long"):
        cv.conv([], [])
    a = RNG.integers(-8, 8, (4, 5)).astype(float)
    b = RNG.integers(-8, 8, (3, 2)).astype(float)
    assert np.array_equal(cv.conv2(a, b), scipy.signal.convolve2d(a, b, mode="full"))
    assert cv.conv2([[0.1]], [[1.0]])[0, 0] == float(np.float32(0.1))


def test_elementary_helpers():
    f, t = zr.foundationMath, zr.TrigonometricFunctionMath
    assert t.sin(25.0) == 184.95144790063796 and t.tand(45.0) == 0.9999999999999999
    x = np.linspace(-3, 3, 61)
    assert_bits(t.sin(x), np.array([t.sin(v) for v in x]))  # elementwise on arrays
    assert f.factor(2147483647).tolist() == [2147483647] and f.rem(5, 0) == 5
    assert zr.geometryMath.circumCenter([0, 0], [4, 0], [1, 3]).tolist() == [2.0, 1.0]
    c = zr.caculusMath
    p = RNG.integers(-5, 5, 5).astype(float)
    assert np.allclose(c.polyint(p, [-1.0, 2.0]), np.polyval(np.polyint(p), 2.0) - np.polyval(np.polyint(p), -1.0))
    assert np.array_equal(c.polyder(p), np.polyder(p))
    with pytest.raises(IndexError):
        c.polyint([1.0, 2.0], [1.0])
