"""zr.mathMatrix against numpy.linalg and closed forms."""

import math

import numpy as np
import pytest

from zr import mathMatrix as mm

from conftest import assert_bits


def test_documented_values():
    assert_bits(mm.rotateMat(np.array([[1.0, 2, 3], [4, 5, 6]])),
                np.array([[1.0, 4], [2, 5], [3, 6]]))
    assert_bits(mm.invMat([[4.0, 7], [2, 6]]),
                np.array([[0.6, -0.7000000000000001], [-0.19999999999999996, 0.4]]))
    assert_bits(mm.invMat(np.array([[1.0, 2, 3], [0, 1, 4], [5, 6, 0]])),
                np.array([[-24.000000000000085, 18.000000000000064, 5.000000000000017],
                          [20.000000000000068, -15.000000000000052, -4.000000000000013],
                          [-5.000000000000017, 4.000000000000012, 1.0000000000000033]]))
    assert_bits(mm.invMat([[1.0, 2], [2, 4]]), np.array([[1.0, 2], [2, 4]]))
    assert mm.traceMat(np.zeros((0, 0))) == 0.0
    assert mm.detMatrix([[5.0]]) == 5.0
    assert mm.detMatrix([[1.0, 2], [3, 4]]) == -2.0
    assert mm.detMatrix([[1.0, 2, 3], [4, 5, 6], [7, 8, 10]]) == -3.0
    assert mm.detMatrix([[1.0, 2, 3], [4, 5, 6]]) == 9.0
    assert_bits(mm.matrixMulmats(np.zeros((2, 0)), np.zeros((0, 3))), np.zeros((2, 3)))


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
    for n in range(1, 8):
        a = rng.normal(size=(n, n)) + n * np.eye(n)  # well conditioned
        inv = mm.invMat(a)
        assert np.allclose(inv, np.linalg.inv(a), rtol=1e-12, atol=1e-13)
        assert np.allclose(inv @ a, np.eye(n), atol=1e-12)
        # Cofactor expansion against LU: both round differently; relative 1e-12 on a
        # well-conditioned matrix.
        assert math.isclose(mm.detMatrix(a), np.linalg.det(a), rel_tol=1e-12)
    a = rng.integers(-5, 6, size=(5, 5)).astype(float)
    # Integer entries: every partial sum of the expansion is an exact integer.
    assert mm.detMatrix(a) == round(np.linalg.det(a))


def test_input_is_not_modified(rng):
    a = rng.normal(size=(4, 4))
    keep = a.copy()
    mm.invMat(a)
    mm.detMatrix(a)
    assert_bits(a, keep)


def test_generators():
    assert_bits(mm.ones(2, 3), np.ones((2, 3), dtype=np.int32))
    assert_bits(mm.zeros(1, 2), np.zeros((1, 2), dtype=np.int32))
    assert mm.ones(2, 0).shape == (2, 0)
    assert mm.ones(0, 5).shape[0] == 0
    assert_bits(mm.hilb(3), 1.0 / (np.arange(3)[:, None] + np.arange(3)[None, :] + 1.0))
    from scipy.linalg import pascal, hilbert, toeplitz
    assert_bits(mm.hilb(6), hilbert(6))
    assert_bits(mm.pascal2(10), pascal(10).astype(np.int32))
    assert mm.pascal2(0).shape[0] == 0
    x = np.array([2.0, 3, 5, -1.5])
    assert_bits(mm.vander(x), np.vander(x))
    c = np.array([1.0, 2, 3, -4])
    assert_bits(mm.toeplitz(c), toeplitz(c))
    assert mm.vander([]).shape[0] == 0


def test_rearrangements():
    a = np.array([[1.0, 2, 3], [4, 5, 6]])
    assert_bits(mm.fiplr(a), np.fliplr(a))
    f = np.array([[1, 2], [3, 4], [5, 6]], dtype=np.float32)
    assert_bits(mm.fipud(f), np.flipud(f))
    g = np.arange(1, 10, dtype=np.float32).reshape(3, 3)
    assert_bits(mm.tril(g), np.tril(g))
    assert_bits(mm.triu(g), np.triu(g))
    assert_bits(mm.tril(g[:2]), np.tril(g[:2]))
    assert_bits(mm.triu(g[:2]), np.triu(g[:2]))
    assert_bits(mm.rot90(g), np.rot90(g, -1))
    special = np.array([[-0.0, np.nan], [1.0, -2.0]], dtype=np.float32)
    assert_bits(mm.fipud(special), np.flipud(special))


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
    assert mm.prod(np.zeros((0, 0))) == 0.0
    assert mm.prod(np.zeros((2, 0))) == 1.0
    with pytest.raises(IndexError, match="^invalid vector<T> subscript$"):
        mm.corr2(np.zeros((0, 2)), np.zeros((2, 2)))


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
    with pytest.raises(TypeError):
        mm.ones(2.5, 3)
    with pytest.raises(IndexError, match="^invalid vector<T> subscript$"):
        mm.corr2(np.ones((2, 2)), np.ones((3, 2)))
    assert mm.detMatrix(np.zeros((0, 0))) == 1.0
    assert mm.detMatrix(np.zeros((3, 0))) == 0.0
    assert mm.invMat(np.zeros((0, 0))).shape == (0, 0)
    assert mm.dataCenter(np.zeros((0, 3))).shape == (0, 3)
    assert mm.cov(np.array([[1.0, 2.0]])).shape == (2, 2)
    assert np.isnan(mm.cov(np.array([[1.0, 2.0]]))).all()
    # Order 17 is the largest whose entries fit in int32; 18 wraps modulo 2**32.
    from scipy.special import comb
    assert mm.pascal2(17)[16, 16] == comb(32, 16, exact=True)
    assert mm.pascal2(18)[17, 17] == comb(34, 17, exact=True) - 2**32


def test_inverse_beyond_order_20(rng):
    a = rng.normal(size=(24, 24)) + 24 * np.eye(24)
    assert np.allclose(mm.invMat(a) @ a, np.eye(24), atol=1e-12)
