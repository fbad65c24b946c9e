"""zr.mathMatrix through the binding against numpy.linalg, SciPy and closed forms."""

import math

import numpy as np
import pytest
from scipy.special import comb
from scipy.stats import zscore

from zr import mathMatrix as mm

from conftest import assert_bits


def test_products_inverse_and_determinant(rng):
    a = rng.normal(size=(7, 5))
    b = rng.normal(size=(5, 4))
    expected = np.zeros((7, 4))
    for k in range(5):  # summed over k from 0, as the library does
        expected = expected + a[:, k : k + 1] * b[k]
    assert_bits(mm.matrixMulmats(a, b), expected)
    assert_bits(mm.rotateMat(a), np.ascontiguousarray(a.T))
    for n in (1, 2, 5, 7, 24):
        m = rng.normal(size=(n, n)) + n * np.eye(n)  # well conditioned
        keep = m.copy()
        assert np.allclose(mm.invMat(m), np.linalg.inv(m), rtol=1e-12, atol=1e-13)
        assert_bits(m, keep)  # the binding inverts a copy
        if n < 8:
            assert math.isclose(mm.detMatrix(m), np.linalg.det(m), rel_tol=1e-12)
    ints = rng.integers(-5, 6, size=(5, 5)).astype(float)
    assert mm.detMatrix(ints) == round(np.linalg.det(ints))  # integer entries: every partial sum exact


def test_column_statistics_and_generators(rng):
    x = rng.normal(size=(9, 4))
    assert np.allclose(mm.cov(x), np.cov(x, rowvar=False), rtol=1e-13)
    assert np.allclose(mm.zscore(x), zscore(x, ddof=1), rtol=1e-13, atol=1e-15)
    y = rng.normal(size=(9, 4))
    assert math.isclose(mm.corr2(x, y), np.corrcoef(x.ravel(), y.ravel())[0, 1], rel_tol=1e-12)
    # Order 17 is the largest whose entries fit in int32; 18 wraps modulo 2**32.
    assert mm.pascal2(17)[16, 16] == comb(32, 16, exact=True)
    assert mm.pascal2(18)[17, 17] == comb(34, 17, exact=True) - 2**32


def test_shapes_and_failures():
    with pytest.raises(ValueError, match=r"invMat\(\): parameter 'a' must have shape \(n, n\), got \(2, 3\)"):
        mm.invMat(np.zeros((2, 3)))
    with pytest.raises(ValueError, match=r"matrixMulmats\(\): parameter 'B' must have shape \(3, n\), got \(2, 2\)"):
        mm.matrixMulmats(np.zeros((2, 3)), np.zeros((2, 2)))
    with pytest.raises(IndexError, match="^invalid vector<T> subscript$"):
        mm.corr2(np.ones((2, 2)), np.ones((3, 2)))
    assert mm.detMatrix(np.zeros((0, 0))) == 1.0 and mm.detMatrix(np.zeros((3, 0))) == 0.0
    assert mm.dataCenter(np.zeros((0, 3))).shape == (0, 3)
    assert np.isnan(mm.cov(np.array([[1.0, 2.0]]))).all() and mm.cov(np.array([[1.0, 2.0]])).shape == (2, 2)
