#include "convert.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zrpy {
namespace {

std::string where(const Param& p) { return std::string(p.fn) + "(): parameter '" + p.name + "'"; }

// numpy.asarray(obj), with the failures of ragged or unconvertible input named after p.
py::array asArray(py::handle obj, const Param& p) {
  if (py::isinstance<py::array>(obj)) return py::reinterpret_borrow<py::array>(obj);
  // Leaked on purpose: the interpreter may be finalised before static destructors run.
  static const auto* asarray = new py::object(py::module_::import("numpy").attr("asarray"));
  try {
    return (*asarray)(obj);
  } catch (py::error_already_set& e) {
    if (e.matches(PyExc_ValueError))
      throw py::value_error(where(p) + " is not a rectangular array: " + std::string(e.what()));
    throw py::type_error(where(p) + " must be array-like: " + std::string(e.what()));
  }
}

template <class T>
Array<T> ensure(const py::array& a) {
  Array<T> out = Array<T>::ensure(a);
  if (!out) throw py::error_already_set();
  return out;
}

// Integer input narrowed to T, every value checked against T's range.
template <class T, class Src>
Array<T> narrow(const py::array& a, const Param& p) {
  auto src = ensure<Src>(a);
  Array<T> out(shapeOf(a));
  T* d = out.mutable_data();
  for (py::ssize_t i = 0; i < src.size(); ++i) {
    const Src v = src.data()[i];
    const bool negative = std::numeric_limits<Src>::is_signed && static_cast<std::int64_t>(v) < 0;
    if (negative ? static_cast<std::int64_t>(v) < static_cast<std::int64_t>(std::numeric_limits<T>::min())
                 : static_cast<std::uint64_t>(v) > static_cast<std::uint64_t>(std::numeric_limits<T>::max()))
      throw py::value_error(where(p) + " holds " + std::to_string(v) + ", outside the " +
                            (sizeof(T) == 4 ? "int32" : "uint64") + " range");
    d[i] = static_cast<T>(v);
  }
  return out;
}

}  // namespace

std::string shapeText(const Shape& shape) {
  std::string s = "(";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    if (i > 0) s += ", ";
    s += shape[i] < 0 ? std::string("N") : std::to_string(shape[i]);
  }
  if (shape.size() == 1) s += ",";
  return s + ")";
}

Shape shapeOf(const py::array& a) { return Shape(a.shape(), a.shape() + a.ndim()); }

void throwShape(const Param& p, const std::string& expected, const py::array& got) {
  throw py::value_error(where(p) + " must have shape " + expected + ", got " + shapeText(shapeOf(got)));
}

template <class T>
Array<T> toArray(py::handle obj, const Param& p) {
  py::array a = asArray(obj, p);
  const char kind = a.dtype().kind();
  const bool integer = kind == 'i' || kind == 'u';
  if (std::is_floating_point<T>::value) {
    if (!integer && kind != 'b' && kind != 'f')
      throw py::type_error(where(p) + " must hold real numbers (" + (sizeof(T) == 8 ? "float64" : "float32") +
                           "), got dtype " + py::str(a.dtype()).cast<std::string>());
    return ensure<T>(a);
  }
  if (!integer)
    throw py::type_error(where(p) + " must hold integers (" + (sizeof(T) == 4 ? "int32" : "uint64") +
                         "), got dtype " + py::str(a.dtype()).cast<std::string>());
  if (a.dtype().is(py::dtype::of<T>())) return ensure<T>(a);
  if (kind == 'u') return narrow<T, std::uint64_t>(a, p);
  return narrow<T, std::int64_t>(a, p);
}
template Array<double> toArray<double>(py::handle, const Param&);
template Array<float> toArray<float>(py::handle, const Param&);
template Array<std::int32_t> toArray<std::int32_t>(py::handle, const Param&);
template Array<std::uint64_t> toArray<std::uint64_t>(py::handle, const Param&);

template <class T>
std::vector<T> vectorOf(py::handle obj, const Param& p) {
  auto a = toArray<T>(obj, p);
  if (a.ndim() != 1) throwShape(p, "(N,)", a);
  return std::vector<T>(a.data(), a.data() + a.size());
}
template std::vector<double> vectorOf<double>(py::handle, const Param&);
template std::vector<int> vectorOf<int>(py::handle, const Param&);

template <class T>
Rows<T> rowsOf(py::handle obj, const Param& p, py::ssize_t& cols) {
  auto a = toArray<T>(obj, p);
  if (a.ndim() != 2) throwShape(p, "(rows, cols)", a);
  const auto r = static_cast<std::size_t>(a.shape(0));
  const auto c = static_cast<std::size_t>(a.shape(1));
  if (cols < 0) cols = a.shape(1);
  Rows<T> out(r);
  for (std::size_t i = 0; i < r; ++i) out[i].assign(a.data() + i * c, a.data() + (i + 1) * c);
  return out;
}
template Rows<double> rowsOf<double>(py::handle, const Param&, py::ssize_t&);
template Rows<float> rowsOf<float>(py::handle, const Param&, py::ssize_t&);
template Rows<int> rowsOf<int>(py::handle, const Param&, py::ssize_t&);

// Aggregates of K numbers of one type, filled in field order from each record of K values.
template <class T, std::size_t K>
std::vector<T> recordsOf(py::handle obj, const Param& p, const char* expected, py::ssize_t ndim) {
  using E = std::conditional_t<std::is_same<T, ZR::colorChannel>::value, std::int32_t, double>;
  static_assert(sizeof(T) == K * sizeof(E), "a record is K numbers without padding");
  auto a = toArray<E>(obj, p);
  if (a.ndim() != ndim || a.shape(ndim - 1) != static_cast<py::ssize_t>(K)) throwShape(p, expected, a);
  std::vector<T> out(static_cast<std::size_t>(a.size()) / K);
  if (!out.empty()) std::memcpy(static_cast<void*>(out.data()), a.data(), out.size() * sizeof(T));
  return out;
}
template std::vector<ZR::Point3D> recordsOf<ZR::Point3D, 3>(py::handle, const Param&, const char*, py::ssize_t);
template std::vector<ZR::QuaD> recordsOf<ZR::QuaD, 4>(py::handle, const Param&, const char*, py::ssize_t);
template std::vector<ZR::colorChannel> recordsOf<ZR::colorChannel, 3>(py::handle, const Param&, const char*,
                                                                      py::ssize_t);

template <class E>
Stack::Arg<E> Stack::add(py::handle obj, const char* name, const Shape& core) {
  const Param p{fn_, name};
  auto a = toArray<E>(obj, p);
  keep_.push_back(a);
  const Shape shape = shapeOf(a);
  if (shape == core) return {a.data(), 0};
  Shape stackedCore{-1};
  stackedCore.insert(stackedCore.end(), core.begin(), core.end());
  if (!stackable_ || shape.size() != core.size() + 1 || !std::equal(core.begin(), core.end(), shape.begin() + 1))
    throwShape(p, stackable_ ? shapeText(core) + " or " + shapeText(stackedCore) : shapeText(core), a);
  if (n_ >= 0 && shape[0] != n_)
    throw py::value_error(where(p) + " holds " + std::to_string(shape[0]) + " rows but '" + firstStacked_ +
                          "' holds " + std::to_string(n_) + "; stacked inputs must have the same length");
  if (n_ < 0) {
    n_ = shape[0];
    firstStacked_ = name;
  }
  py::ssize_t step = 1;
  for (const py::ssize_t c : core) step *= c;
  return {a.data(), step};
}
template Stack::Arg<double> Stack::add<double>(py::handle, const char*, const Shape&);
template Stack::Arg<std::uint64_t> Stack::add<std::uint64_t>(py::handle, const char*, const Shape&);

}  // namespace zrpy
