"""The module frame: submodules, the enumeration, docstrings, failures and argument checking."""

import enum
import re

import numpy as np
import pytest

import zr

from conftest import ROOT

HEADERS = sorted((ROOT / "include" / "zr").glob("*.h"))


def declared_operations(header):
    """Class name and member function names declared in one public header."""
    text = header.read_text()
    m = re.search(r"class\s+ZR_API\s+(\w+)\s*\{(.*)\};", text, re.S)
    if not m:
        return None, []
    body = re.sub(r"//.*", "", m.group(2))
    names = re.findall(r"\b([A-Za-z_]\w*)\s*\([^;{}]*\)\s*(?:const\s*)?;", body)
    return m.group(1), sorted(set(names))


CLASSES = [c for c in (declared_operations(h) for h in HEADERS) if c[0]]


def test_every_exported_operation_is_reachable():
    assert CLASSES, "no class headers found"
    missing = []
    for cls, ops in CLASSES:
        sub = getattr(zr, cls, None)
        if sub is None:
            missing.append(cls)
            continue
        missing += [f"{cls}.{op}" for op in ops if not callable(getattr(sub, op, None))]
    assert not missing, missing


def test_every_function_has_a_docstring():
    for cls, _ in CLASSES:
        sub = getattr(zr, cls)
        for name in dir(sub):
            f = getattr(sub, name)
            if callable(f) and not isinstance(f, type):
                doc = f.__doc__ or ""
                # pybind11 puts the signature on the first line; the description follows.
                text = doc.split("\n", 1)[1].strip() if "\n" in doc else ""
                assert len(text) > 20, f"{cls}.{name} has no description"


def test_channel_order_is_an_int_enum():
    E = zr.ChannelOrderEuler
    assert issubclass(E, enum.IntEnum)
    assert [(e.name, int(e)) for e in E] == [
        ("XYZ", 0), ("XZY", 1), ("YXZ", 2), ("YZX", 3), ("ZXY", 4), ("ZYX", 5)]
    assert zr.mathCommon.ChannelOrderEuler is E
    import zr.mathCommon as mc  # the classes import as submodules by name
    from zr.mathCommon import dotProduct3
    assert mc is zr.mathCommon and dotProduct3 is mc.dotProduct3


def test_wrong_shapes_and_dtypes_name_the_parameter():
    dot = zr.mathCommon.dotProduct3
    with pytest.raises(ValueError, match=r"dotProduct3\(\): parameter 'b' must have shape "
                                         r"\(3,\) or \(N, 3\), got \(4,\)"):
        dot([1, 2, 3], [1, 2, 3, 4])
    with pytest.raises(ValueError, match=r"parameter 'b' holds 3 rows but 'a' holds 2"):
        dot(np.zeros((2, 3)), np.zeros((3, 3)))
    with pytest.raises(TypeError, match=r"parameter 'a' must hold real numbers"):
        dot(["x", "y", "z"], [1, 2, 3])
    with pytest.raises(TypeError, match=r"parameter 'a' must hold real numbers"):
        dot(np.array([1j, 2, 3]), [1, 2, 3])
    with pytest.raises(ValueError, match=r"parameter 'a' is not a rectangular array"):
        dot([[1, 2, 3], [4, 5]], [1, 2, 3])


def test_inputs_of_other_dtypes_and_layouts_convert_exactly():
    dot = zr.mathCommon.dotProduct3
    a = np.arange(12, dtype=np.float64).reshape(4, 3)
    b = np.array([0.1, 0.2, 0.3])
    expected = dot(a, b)
    assert np.array_equal(dot(a.astype(np.int64), b), expected)
    assert np.array_equal(dot(a.astype(np.float32), b), expected)
    assert np.array_equal(dot(np.asfortranarray(a), b), expected)
    wide = np.zeros((4, 6))
    wide[:, ::2] = a
    assert np.array_equal(dot(wide[:, ::2], b), expected)  # a strided view
    assert dot((1, 2, 3), [True, False, True]) == 4.0


def stacked_signatures():
    """(function, input shapes) of every function whose generated docstring offers stacks."""
    for cls, _ in CLASSES:
        sub = getattr(zr, cls)
        for name in sorted(dir(sub)):
            f = getattr(sub, name)
            line = (getattr(f, "__doc__", None) or "").strip().splitlines()[-1:]
            m = re.match(r"Python: \((.*)\) -> ", line[0]) if line else None
            if m and " or (N" in m.group(1):
                yield f"{cls}.{name}", f, re.findall(r"(\w+): (\([\d, ]*\)|float|int|zr\.ChannelOrderEuler)", m.group(1))


def test_every_stack_gives_the_bits_of_single_calls(rng):
    found = list(stacked_signatures())
    assert len(found) >= 30, [n for n, _, _ in found]
    for name, f, params in found:
        args = []
        for _, kind in params:
            if kind == "int":
                args.append(rng.integers(0, 2**40, size=9, dtype=np.uint64) if "quaRandom" in name else 3)
            elif kind == "zr.ChannelOrderEuler":
                args.append(zr.ChannelOrderEuler.YZX)
            else:
                shape = () if kind == "float" else tuple(int(s) for s in kind.strip("()").split(",") if s.strip())
                args.append(rng.normal(size=(9,) + shape))
        stacked = f(*args)
        singles = [f(*(a[i] if isinstance(a, np.ndarray) else a for a in args)) for i in range(9)]
        parts = stacked if isinstance(stacked, tuple) else (stacked,)
        for k, part in enumerate(parts):
            expected = np.array([s[k] if isinstance(stacked, tuple) else s for s in singles])
            assert np.asarray(part).tobytes() == expected.tobytes(), name


def test_docstrings_are_the_header_comments():
    header = (ROOT / "include" / "zr" / "mathCommon.h").read_text()
    assert "the Hamilton product with a on the left" in header
    assert "the Hamilton product with a on the left" in zr.mathCommon.quaMulti.__doc__
    assert "Python: (a: (4,) or (N, 4), b: (4,) or (N, 4)) -> out: (4,) or (N, 4)" in zr.mathCommon.quaMulti.__doc__
    assert zr.SVD.__doc__.startswith("SVD: singular value decomposition")
