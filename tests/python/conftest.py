"""Shared set-up of the Python tests: finds the module and offers exact-comparison helpers.

The tests import the installed `zr` (pip install . or the wheel); $ZR_PYTHON_MODULE_DIR names a
build folder holding zr.<abi>.so instead (`cmake --build --preset python --target python-test`).
"""

import os
import pathlib
import sys

import numpy as np
import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
MODULE_DIR = os.environ.get("ZR_PYTHON_MODULE_DIR")
if MODULE_DIR and MODULE_DIR not in sys.path:
    sys.path.insert(0, MODULE_DIR)


def assert_bits(a, b):
    """a and b are equal bit for bit (so -0.0 differs from 0.0 and NaN equals NaN)."""
    a = np.ascontiguousarray(a)
    b = np.ascontiguousarray(b)
    assert a.dtype == b.dtype, (a.dtype, b.dtype)
    assert a.shape == b.shape, (a.shape, b.shape)
    assert a.tobytes() == b.tobytes(), (a, b)


@pytest.fixture
def rng():
    return np.random.default_rng(20261207)
