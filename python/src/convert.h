#pragma once

// Conversions between NumPy arrays and the value types and containers of libzr. Inputs go through
// numpy.asarray: float parameters take any real dtype, integer ones (images, point sets, seeds)
// integer dtypes whose values fit (int32, uint64). A wrong dtype raises TypeError, a wrong shape
// ValueError, naming function, parameter and expected shape, e.g. "quaMulti(): parameter 'a' must
// have shape (4,) or (N, 4), got (3,)". Results are fresh float64 arrays, float32 or int32 where the
// operation works in float or on integers.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "zr/types.h"

namespace zrpy {

namespace py = pybind11;
using Shape = std::vector<py::ssize_t>;
template <class T> using Array = py::array_t<T, py::array::c_style | py::array::forcecast>;
template <class T> using Rows = std::vector<std::vector<T>>;

/// Any input numpy.asarray accepts; shown as numpy.typing.ArrayLike in signatures.
struct ArrayLike { py::object obj; };

/// The call site an error message names: function and parameter.
struct Param {
  const char* fn;
  const char* name;
  std::string where() const { return std::string(fn) + "(): parameter '" + name + "'"; }
};

/// "(3,)", "(N, 3, 3)": a shape as Python prints it; negative entries print as N.
inline std::string shapeText(const Shape& shape) {
  std::string s = "(";
  for (std::size_t i = 0; i < shape.size(); ++i)
    s += (i > 0 ? ", " : "") + (shape[i] < 0 ? std::string("N") : std::to_string(shape[i]));
  return s + (shape.size() == 1 ? ",)" : ")");
}
inline Shape shapeOf(const py::array& a) { return Shape(a.shape(), a.shape() + a.ndim()); }
[[noreturn]] inline void throwShape(const Param& p, const std::string& expected, const py::array& got) {
  throw py::value_error(p.where() + " must have shape " + expected + ", got " + shapeText(shapeOf(got)));
}

/// obj as a C-contiguous array of T (float64, float32, int32 or uint64).
template <class T>
Array<T> toArray(py::handle obj, const Param& p) {
  py::array a;
  if (py::isinstance<py::array>(obj)) {
    a = py::reinterpret_borrow<py::array>(obj);
  } else {
    // Leaked on purpose: the interpreter may be finalised before static destructors run.
    static const auto* asarray = new py::object(py::module_::import("numpy").attr("asarray"));
    try {
      a = (*asarray)(obj);
    } catch (py::error_already_set& e) {
      if (e.matches(PyExc_ValueError)) throw py::value_error(p.where() + " is not a rectangular array: " + e.what());
      throw py::type_error(p.where() + " must be array-like: " + e.what());
    }
  }
  const char kind = a.dtype().kind();
  const bool integer = kind == 'i' || kind == 'u', floating = std::is_floating_point<T>::value;
  if (floating ? !integer && kind != 'b' && kind != 'f' : !integer)
    throw py::type_error(p.where() + (floating ? " must hold real numbers (" : " must hold integers (") +
                         py::str(py::dtype::of<T>()).cast<std::string>() +
                         "), got dtype " + py::str(a.dtype()).cast<std::string>());
  if (!floating && !a.dtype().is(py::dtype::of<T>())) {  // narrowed, every value checked
    auto src = Array<std::int64_t>::ensure(a);
    auto usrc = Array<std::uint64_t>::ensure(a);
    if (!src || !usrc) throw py::error_already_set();
    for (py::ssize_t i = 0; i < a.size(); ++i) {
      const bool negative = kind == 'i' && src.data()[i] < 0;
      if (negative ? src.data()[i] < static_cast<std::int64_t>(std::numeric_limits<T>::min())
                   : usrc.data()[i] > static_cast<std::uint64_t>(std::numeric_limits<T>::max()))
        throw py::value_error(p.where() + " holds " + py::str(a.attr("flat")[py::int_(i)]).cast<std::string>() +
                              ", outside the " + py::str(py::dtype::of<T>()).cast<std::string>() + " range");
    }
  }
  Array<T> out = Array<T>::ensure(a);
  if (!out) throw py::error_already_set();
  return out;
}

/// A 1-D array of any length.
template <class T>
std::vector<T> vectorOf(py::handle obj, const Param& p) {
  auto a = toArray<T>(obj, p);
  if (a.ndim() != 1) throwShape(p, "(N,)", a);
  return std::vector<T>(a.data(), a.data() + a.size());
}

/// A 2-D array as rows; cols receives its column count if not yet set.
template <class T>
Rows<T> rowsOf(py::handle obj, const Param& p, py::ssize_t& cols) {
  auto a = toArray<T>(obj, p);
  if (a.ndim() != 2) throwShape(p, "(rows, cols)", a);
  const auto c = static_cast<std::size_t>(a.shape(1));
  if (cols < 0) cols = a.shape(1);
  Rows<T> out(static_cast<std::size_t>(a.shape(0)));
  for (std::size_t i = 0; i < out.size(); ++i) out[i].assign(a.data() + i * c, a.data() + (i + 1) * c);
  return out;
}

/// An array of ndim dimensions whose last is K, as aggregates of K numbers E filled in field order.
template <class T, std::size_t K, class E = double>
std::vector<T> recordsOf(const Array<E>& a, const Param& p, const char* expected, py::ssize_t ndim) {
  static_assert(sizeof(T) == K * sizeof(E), "a record is K numbers without padding");
  if (a.ndim() != ndim || a.shape(ndim - 1) != static_cast<py::ssize_t>(K)) throwShape(p, expected, a);
  std::vector<T> out(static_cast<std::size_t>(a.size()) / K);
  if (!out.empty()) std::memcpy(static_cast<void*>(out.data()), a.data(), out.size() * sizeof(T));
  return out;
}

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
    if (r.size() == cols) continue;
    py::list ragged;
    for (const auto& rr : rows) ragged.append(fromVector(rr));
    return std::move(ragged);
  }
  py::array_t<T> out({static_cast<py::ssize_t>(rows.size()), static_cast<py::ssize_t>(cols)});
  T* d = out.mutable_data();
  for (const auto& r : rows) d = std::copy(r.begin(), r.end(), d);
  return std::move(out);
}

/// The inputs of one call that may each be a single value of its core shape, e.g. (4,), or a
/// stack (N, 4) of them. All stacks of a call have the same N; single values are used for every
/// row. The results are stacked when any input is. Also keeps the column count of the call's
/// first 2-D input, the width an empty 2-D result gets.
class Stack {
 public:
  template <class E>
  struct Arg {
    const E* data = nullptr;
    py::ssize_t step = 0;  // elements from one row to the next; 0 for a single value
  };

  Stack(const char* fn, bool stackable) : fn_(fn), stackable_(stackable) {}

  template <class E>
  Arg<E> add(py::handle obj, const char* name, const Shape& core) {
    const Param p{fn_, name};
    auto a = toArray<E>(obj, p);
    keep_.push_back(a);
    const Shape shape = shapeOf(a);
    if (shape == core) return {a.data(), 0};
    Shape stacked{-1};
    stacked.insert(stacked.end(), core.begin(), core.end());
    if (!stackable_ || shape.size() != stacked.size() || !std::equal(core.begin(), core.end(), shape.begin() + 1))
      throwShape(p, stackable_ ? shapeText(core) + " or " + shapeText(stacked) : shapeText(core), a);
    if (n_ >= 0 && shape[0] != n_)
      throw py::value_error(p.where() + " holds " + std::to_string(shape[0]) + " rows but '" + first_ + "' holds " +
                            std::to_string(n_) + "; stacked inputs must have the same length");
    if (n_ < 0) n_ = shape[0], first_ = name;
    return {a.data(), n_ > 0 ? a.size() / n_ : 0};
  }

  const char* fn() const { return fn_; }
  bool stacked() const { return n_ >= 0; }
  py::ssize_t rows() const { return n_ >= 0 ? n_ : 1; }
  /// A float64 result of shape (N, core...) when stacked, else core.
  py::array_t<double> output(const Shape& core) const {
    Shape shape(stacked() ? 1 : 0, n_);
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
  std::string first_;
  std::vector<py::array> keep_;
};

}  // namespace zrpy

namespace pybind11::detail {
template <>
struct type_caster<zrpy::ArrayLike> {
  PYBIND11_TYPE_CASTER(zrpy::ArrayLike, const_name("numpy.typing.ArrayLike"));
  bool load(handle src, bool) {
    value.obj = reinterpret_borrow<object>(src);
    return static_cast<bool>(src);
  }
  static handle cast(const zrpy::ArrayLike& v, return_value_policy, handle) { return v.obj.inc_ref(); }
};
}  // namespace pybind11::detail
