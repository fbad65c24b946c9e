"""zr.mathMatrix against numpy.linalg and closed forms."""

import math

import numpy as np
import pytest

from zr import mathMatrix as mm

from conftest import assert_bits


def test_products_are_exactly_the_ascending_sums(rng):
    a = rng.normal(size=(7, 5))
    b = rng.normal(size=(5, 4))
    expected = np.zeros((7, 4))
    for i in range(7):
        for j in range(4):
            s = 0.0
            for k in range(5):
                s = s + a[i, k] * b[k, j]
            expected[i, j] = s
    assert_bits(mm.matrixMulmats(a, b), expected)
    # numpy's BLAS sums in another order: a few ULPs.
    assert np.allclose(mm.matrixMulmats(a, b), a @ b, rtol=1e-14, atol=1e-15)
    assert_bits(mm.rotateMat(a), np.ascontiguousarray(a.T))
    s = 0.0
    for i in range(5):
        s = s + a[i, i]
    assert mm.traceMat(a[:5]) == s


def test_inverse_and_determinant_against_numpy(rng):
    for n in (1, 2, 5, 7, 24):
        a = rng.normal(size=(n, n)) + n * np.eye(n)  # well conditioned
        keep = a.copy()
        inv = mm.invMat(a)
        assert_bits(a, keep)  # the binding inverts a copy
        assert np.allclose(inv, np.linalg.inv(a), rtol=1e-12, atol=1e-13)
        # Cofactor expansion against LU: both round differently; relative 1e-12 on a
        # well-conditioned matrix.
        if n < 8:
            assert math.isclose(mm.detMatrix(a), np.linalg.det(a), rel_tol=1e-12)
    a = rng.integers(-5, 6, size=(5, 5)).astype(float)
    # Integer entries: every partial sum of the expansion is an exact integer.
    assert mm.detMatrix(a) == round(np.linalg.det(a))


def test_column_statistics(rng):
    x = rng.normal(size=(9, 4))
    assert np.allclose(mm.cov(x), np.cov(x, rowvar=False), rtol=1e-13)
    assert_bits(mm.cov(x), mm.cov(x).T)  # every entry computed on its own, symmetric
    assert_bits(mm.dataCenter(x), x - mm_mean(x))
    z = mm.zscore(x)
    from scipy.stats import zscore
    assert np.allclose(z, zscore(x, ddof=1), rtol=1e-13, atol=1e-15)
    y = rng.normal(size=(9, 4))
    assert math.isclose(mm.corr2(x, y), np.corrcoef(x.ravel(), y.ravel())[0, 1], rel_tol=1e-12)
    assert mm.prod(np.array([[1.0, 2], [3, 4]])) == 24.0


def mm_mean(x):
    """Column means summed from row 0 downwards, as the library does."""
    s = np.zeros(x.shape[1])
    for row in x:
        s = s + row
    return s / x.shape[0]


def test_shapes_and_failures():
    with pytest.raises(ValueError, match=r"invMat\(\): parameter 'a' must have shape \(n, n\), "
                                         r"got \(2, 3\)"):
        mm.invMat(np.zeros((2, 3)))
    with pytest.raises(ValueError, match=r"matrixMulmats\(\): parameter 'B' must have shape "
                                         r"\(3, n\), got \(2, 2\)"):
        mm.matrixMulmats(np.zeros((2, 3)), np.zeros((2, 2)))
    with pytest.raises(ValueError, match=r"parameter 'x' must have shape \(N,\)"):
        mm.vander(np.zeros((2, 2)))
    with pytest.raises(IndexError, match="^invalid vector<T> subscript$"):
        mm.corr2(np.ones((2, 2)), np.ones((3, 2)))
    assert mm.detMatrix(np.zeros((0, 0))) == 1.0
    assert mm.detMatrix(np.zeros((3, 0))) == 0.0
    assert mm.dataCenter(np.zeros((0, 3))).shape == (0, 3)
    assert np.isnan(mm.cov(np.array([[1.0, 2.0]]))).all() and mm.cov(np.array([[1.0, 2.0]])).shape == (2, 2)
    # Order 17 is the largest whose entries fit in int32; 18 wraps modulo 2**32.
    from scipy.special import comb
    assert mm.pascal2(17)[16, 16] == comb(32, 16, exact=True)
    assert mm.pascal2(18)[17, 17] == comb(34, 17, exact=True) - 2**32
