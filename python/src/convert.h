#pragma once

// Conversions between NumPy arrays and the value types and containers of libzr.
//
// Conventions of the Python module
// - Every input is taken through numpy.asarray, so lists, tuples and arrays of any real dtype
//   (bool, integer, float) are accepted for float64 and float32 parameters; integer parameters
//   (images, point sets) take integer dtypes only and every value must fit in int32 (uint64 for
//   counters and seeds).
// - A wrong dtype raises TypeError and a wrong shape ValueError; both messages name the function,
//   the parameter and the expected shape, e.g.
//   "quaMulti(): parameter 'a' must have shape (4,) or (N, 4), got (3,)".
// - Results are fresh arrays: float64 unless the operation works in float (float32) or on
//   integers (int32).

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "zr/types.h"

namespace zrpy {

namespace py = pybind11;
using Shape = std::vector<py::ssize_t>;
template <class T>
using Array = py::array_t<T, py::array::c_style | py::array::forcecast>;
template <class T>
using Rows = std::vector<std::vector<T>>;

/// Any input numpy.asarray accepts; shown as numpy.typing.ArrayLike in signatures.
struct ArrayLike {
  py::object obj;
};

/// The call site an error message names: function and parameter.
struct Param {
  const char* fn;
  const char* name;
};

/// "(3,)", "(N, 3, 3)", "(2, 5)": a shape as Python prints it; negative entries print as N.
std::string shapeText(const Shape& shape);
Shape shapeOf(const py::array& a);
[[noreturn]] void throwShape(const Param& p, const std::string& expected, const py::array& got);

/// obj as a C-contiguous array of T: float64 and float32 take every real dtype, int32 and uint64
/// only integer dtypes whose values fit (TypeError for other dtypes, ValueError for values).
template <class T>
Array<T> toArray(py::handle obj, const Param& p);

/// A 1-D array of any length; a 2-D array as rows (cols receives its column count); an array of
/// shape (N, K) as N values of K doubles each (points, quaternions, pixels).
template <class T>
std::vector<T> vectorOf(py::handle obj, const Param& p);
template <class T>
Rows<T> rowsOf(py::handle obj, const Param& p, py::ssize_t& cols);
template <class T, std::size_t K>
std::vector<T> recordsOf(py::handle obj, const Param& p, const char* expected, py::ssize_t ndim);

template <class T>
py::array_t<T> fromVector(const std::vector<T>& v) {
  py::array_t<T> out(static_cast<py::ssize_t>(v.size()));
  std::copy(v.begin(), v.end(), out.mutable_data());
  return out;
}

/// A vector of rows as a 2-D array (R, C); C is emptyCols when there are no rows. Rows of
/// unequal length (never produced from rectangular input) come back as a list of 1-D arrays.
template <class T>
py::object fromRows(const Rows<T>& rows, py::ssize_t emptyCols = 0) {
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
  for (const auto& r : rows) d = std::copy(r.begin(), r.end(), d);
  return std::move(out);
}

/// The inputs of one call that may each be a single value of its core shape, e.g. (4,), or a
/// stack (N, 4) of them. All stacks of a call have the same N; single values are used for every
/// row. The results are stacked when any input is. Also remembers the column count of the
/// call's first 2-D input, the width an empty 2-D result gets.
class Stack {
 public:
  template <class E>
  struct Arg {
    const E* data = nullptr;
    py::ssize_t step = 0;  // elements from one row to the next; 0 for a single value
  };

  Stack(const char* fn, bool stackable) : fn_(fn), stackable_(stackable) {}

  /// Adds an input whose single value has the shape core ({} for a scalar).
  template <class E>
  Arg<E> add(py::handle obj, const char* name, const Shape& core);

  const char* fn() const { return fn_; }
  bool stacked() const { return n_ >= 0; }
  py::ssize_t rows() const { return n_ >= 0 ? n_ : 1; }

  /// A float64 result array of shape (N, core...) when stacked, else core.
  py::array_t<double> output(const Shape& core) const {
    Shape shape;
    if (stacked()) shape.push_back(n_);
    shape.insert(shape.end(), core.begin(), core.end());
    return py::array_t<double>(shape);
  }
  /// A scalar result: a Python float for a single call, the (N,) array for a stack.
  py::object scalar(py::array_t<double> out) const {
    if (stacked()) return std::move(out);
    return py::float_(*out.data());
  }

  py::ssize_t cols = -1;  // -1 until a 2-D input is read

 private:
  const char* fn_;
  bool stackable_;
  py::ssize_t n_ = -1;
  std::string firstStacked_;
  std::vector<py::array> keep_;
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
