#pragma once

// Conversions between NumPy arrays and the value types and containers of libzr.
//
// Conventions of the Python module
// - Every input is taken through numpy.asarray, so lists, tuples and arrays of any real dtype
//   (bool, integer, float) are accepted for float64 and float32 parameters; integer parameters
//   (images, point sets) take integer dtypes only and every value must fit in int32.
// - A wrong dtype raises TypeError and a wrong shape ValueError; both messages name the function,
//   the parameter and the expected shape, e.g.
//   "quaMulti(): parameter 'a' must have shape (4,) or (N, 4), got (3,)".
// - Results are fresh arrays: float64 unless the operation works in float (float32) or on
//   integers (int32).

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "zr/types.h"

namespace zrpy {

namespace py = pybind11;
using Shape = std::vector<py::ssize_t>;

using ArrayF64 = py::array_t<double, py::array::c_style | py::array::forcecast>;
using ArrayF32 = py::array_t<float, py::array::c_style | py::array::forcecast>;
using ArrayI32 = py::array_t<std::int32_t, py::array::c_style | py::array::forcecast>;

/// Any input numpy.asarray accepts; shown as numpy.typing.ArrayLike in signatures.
struct ArrayLike {
  py::object obj;
  operator py::handle() const { return obj; }  // NOLINT: used wherever a handle is expected
};

/// The call site an error message names: function and parameter.
struct Param {
  const char* fn;
  const char* name;
};

/// "(3,)", "(N, 3, 3)", "(2, 5)": a shape as Python prints it; negative entries print as N.
std::string shapeText(const Shape& shape);
/// The shape of an array as a Shape.
Shape shapeOf(const py::array& a);

[[noreturn]] void throwShape(const Param& p, const std::string& expected, const py::array& got);

/// obj as a C-contiguous float64 / float32 array of any shape (TypeError for non-real dtypes).
ArrayF64 toF64(py::handle obj, const Param& p);
ArrayF32 toF32(py::handle obj, const Param& p);
/// obj as a C-contiguous int32 array (TypeError for non-integer dtypes, ValueError for values
/// outside the int32 range).
ArrayI32 toI32(py::handle obj, const Param& p);

/// Requires a.shape == shape (used for fixed shapes such as (3, 3)).
void requireShape(const py::array& a, const Shape& shape, const Param& p);

// ---- fixed-size values -------------------------------------------------------------------------

ZR::Point2D point2D(py::handle obj, const Param& p);
ZR::Point2F point2F(py::handle obj, const Param& p);
ZR::Point3D point3D(py::handle obj, const Param& p);
ZR::QuaD quaD(py::handle obj, const Param& p);

py::array_t<double> fromPoint(const ZR::Point2D& v);
py::array_t<double> fromPoint(const ZR::Point3D& v);
py::array_t<double> fromQua(const ZR::QuaD& q);

// ---- containers --------------------------------------------------------------------------------

/// A 1-D array of any length.
std::vector<double> vectorF64(py::handle obj, const Param& p);
std::vector<int> vectorI32(py::handle obj, const Param& p);
/// A 2-D array (R, C) as R rows of C values.
std::vector<std::vector<double>> rowsF64(py::handle obj, const Param& p);
std::vector<std::vector<float>> rowsF32(py::handle obj, const Param& p);
std::vector<std::vector<int>> rowsI32(py::handle obj, const Param& p);

template <class T>
py::array_t<T> fromVector(const std::vector<T>& v) {
  py::array_t<T> out(static_cast<py::ssize_t>(v.size()));
  T* d = out.mutable_data();
  for (std::size_t i = 0; i < v.size(); ++i) d[i] = v[i];
  return out;
}

/// A vector of rows as a 2-D array (R, C). Rows of unequal length (never produced from
/// rectangular input) come back as a list of 1-D arrays instead.
template <class T>
py::object fromRows(const std::vector<std::vector<T>>& rows, py::ssize_t emptyCols = 0) {
  const std::size_t cols = rows.empty() ? static_cast<std::size_t>(emptyCols) : rows[0].size();
  for (const auto& r : rows) {
    if (r.size() != cols) {
      py::list out;
      for (const auto& rr : rows) out.append(fromVector(rr));
      return std::move(out);
    }
  }
  py::array_t<T> out({static_cast<py::ssize_t>(rows.size()), static_cast<py::ssize_t>(cols)});
  T* d = out.mutable_data();
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t j = 0; j < cols; ++j) d[i * cols + j] = rows[i][j];
  return std::move(out);
}

// ---- stacks ------------------------------------------------------------------------------------

/// The inputs of one call that may each be a single value of its core shape, e.g. (4,), or a
/// stack (N, 4) of them. All stacks of a call have the same N; single values are used for every
/// row. The results are stacked when any input is.
class Stack {
 public:
  struct Arg {
    const double* data;
    py::ssize_t step;  // elements from one row to the next; 0 for a single value
  };

  explicit Stack(const char* fn) : fn_(fn) {}

  /// Adds a float64 input whose single value has the shape core ({} for a scalar).
  Arg add(py::handle obj, const char* name, const Shape& core);

  bool stacked() const { return n_ >= 0; }
  py::ssize_t rows() const { return n_ >= 0 ? n_ : 1; }

  /// A result array of shape (N, core...) when stacked, else core.
  template <class T>
  py::array_t<T> output(const Shape& core) const {
    Shape shape;
    if (stacked()) shape.push_back(n_);
    shape.insert(shape.end(), core.begin(), core.end());
    return py::array_t<T>(shape);
  }

  /// Calls f(i) for every row i; with the GIL released when the call is stacked.
  template <class F>
  void run(F&& f) const {
    const py::ssize_t n = rows();
    if (stacked()) {
      py::gil_scoped_release release;
      for (py::ssize_t i = 0; i < n; ++i) f(i);
    } else {
      f(0);
    }
  }

  /// A scalar result: a Python float for a single call, the (N,) array for a stack.
  py::object scalar(py::array_t<double> out) const {
    if (stacked()) return std::move(out);
    return py::float_(*out.data());
  }

 private:
  const char* fn_;
  py::ssize_t n_ = -1;
  std::string firstStacked_;
  std::vector<ArrayF64> keep_;
};

}  // namespace zrpy

namespace pybind11::detail {
template <>
struct type_caster<zrpy::ArrayLike> {
  PYBIND11_TYPE_CASTER(zrpy::ArrayLike, const_name("numpy.typing.ArrayLike"));
  bool load(handle src, bool) {
    if (!src) return false;
    value.obj = reinterpret_borrow<object>(src);
    return true;
  }
  static handle cast(const zrpy::ArrayLike& v, return_value_policy, handle) { return v.obj.inc_ref(); }
};
}  // namespace pybind11::detail
