#include "convert.h"

#include <limits>

namespace zrpy {
namespace {

std::string where(const Param& p) { return std::string(p.fn) + "(): parameter '" + p.name + "'"; }

std::string dtypeText(const py::array& a) { return py::str(a.dtype()).cast<std::string>(); }

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

bool isReal(char kind) { return kind == 'b' || kind == 'i' || kind == 'u' || kind == 'f'; }

template <class Out>
Out toFloating(py::handle obj, const Param& p, const char* what) {
  py::array a = asArray(obj, p);
  if (!isReal(a.dtype().kind()))
    throw py::type_error(where(p) + " must hold real numbers (" + what + "), got dtype " + dtypeText(a));
  Out out = Out::ensure(a);
  if (!out) throw py::error_already_set();
  return out;
}

template <class Src>
ArrayI32 narrowToI32(const py::array& a, const Param& p) {
  auto src = py::array_t<Src, py::array::c_style | py::array::forcecast>::ensure(a);
  if (!src) throw py::error_already_set();
  ArrayI32 out(shapeOf(a));
  const Src* s = src.data();
  std::int32_t* d = out.mutable_data();
  for (py::ssize_t i = 0; i < src.size(); ++i) {
    const Src v = s[i];
    if (v > static_cast<Src>(std::numeric_limits<std::int32_t>::max()) ||
        (std::numeric_limits<Src>::is_signed &&
         v < static_cast<Src>(std::numeric_limits<std::int32_t>::min())))
      throw py::value_error(where(p) + " holds " + std::to_string(v) + ", outside the int32 range");
    d[i] = static_cast<std::int32_t>(v);
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

Shape shapeOf(const py::array& a) {
  Shape s;
  for (py::ssize_t i = 0; i < a.ndim(); ++i) s.push_back(a.shape(i));
  return s;
}

void throwShape(const Param& p, const std::string& expected, const py::array& got) {
  throw py::value_error(where(p) + " must have shape " + expected + ", got " + shapeText(shapeOf(got)));
}

ArrayF64 toF64(py::handle obj, const Param& p) { return toFloating<ArrayF64>(obj, p, "float64"); }

ArrayF32 toF32(py::handle obj, const Param& p) { return toFloating<ArrayF32>(obj, p, "float32"); }

ArrayI32 toI32(py::handle obj, const Param& p) {
  py::array a = asArray(obj, p);
  const char kind = a.dtype().kind();
  if (kind != 'i' && kind != 'u')
    throw py::type_error(where(p) + " must hold integers (int32), got dtype " + dtypeText(a));
  if (a.dtype().is(py::dtype::of<std::int32_t>())) {
    ArrayI32 out = ArrayI32::ensure(a);
    if (!out) throw py::error_already_set();
    return out;
  }
  if (kind == 'u') return narrowToI32<std::uint64_t>(a, p);
  return narrowToI32<std::int64_t>(a, p);
}

void requireShape(const py::array& a, const Shape& shape, const Param& p) {
  if (shapeOf(a) != shape) throwShape(p, shapeText(shape), a);
}

// ---- fixed-size values -------------------------------------------------------------------------

namespace {
template <std::size_t K>
std::array<double, K> fixed(py::handle obj, const Param& p) {
  ArrayF64 a = toF64(obj, p);
  requireShape(a, {static_cast<py::ssize_t>(K)}, p);
  std::array<double, K> v{};
  for (std::size_t i = 0; i < K; ++i) v[i] = a.data()[i];
  return v;
}
}  // namespace

ZR::Point2D point2D(py::handle obj, const Param& p) {
  const auto v = fixed<2>(obj, p);
  return {v[0], v[1]};
}

ZR::Point2F point2F(py::handle obj, const Param& p) {
  ArrayF32 a = toF32(obj, p);
  requireShape(a, {2}, p);
  return {a.data()[0], a.data()[1]};
}

ZR::Point3D point3D(py::handle obj, const Param& p) {
  const auto v = fixed<3>(obj, p);
  return {v[0], v[1], v[2]};
}

ZR::QuaD quaD(py::handle obj, const Param& p) {
  const auto v = fixed<4>(obj, p);
  return {v[0], v[1], v[2], v[3]};
}

py::array_t<double> fromPoint(const ZR::Point2D& v) {
  py::array_t<double> out(2);
  double* d = out.mutable_data();
  d[0] = v.x;
  d[1] = v.y;
  return out;
}

py::array_t<double> fromPoint(const ZR::Point3D& v) {
  py::array_t<double> out(3);
  double* d = out.mutable_data();
  d[0] = v.x;
  d[1] = v.y;
  d[2] = v.z;
  return out;
}

py::array_t<double> fromQua(const ZR::QuaD& q) {
  py::array_t<double> out(4);
  double* d = out.mutable_data();
  d[0] = q.w;
  d[1] = q.x;
  d[2] = q.y;
  d[3] = q.z;
  return out;
}

// ---- containers --------------------------------------------------------------------------------

namespace {
template <class Arr>
void require1D(const Arr& a, const Param& p) {
  if (a.ndim() != 1) throwShape(p, "(N,)", a);
}

template <class Arr>
void require2D(const Arr& a, const Param& p) {
  if (a.ndim() != 2) throwShape(p, "(rows, cols)", a);
}

template <class T, class Arr>
std::vector<std::vector<T>> rowsOf(const Arr& a) {
  const auto r = static_cast<std::size_t>(a.shape(0));
  const auto c = static_cast<std::size_t>(a.shape(1));
  std::vector<std::vector<T>> out(r, std::vector<T>(c));
  const auto* d = a.data();
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) out[i][j] = static_cast<T>(d[i * c + j]);
  return out;
}
}  // namespace

std::vector<double> vectorF64(py::handle obj, const Param& p) {
  ArrayF64 a = toF64(obj, p);
  require1D(a, p);
  return std::vector<double>(a.data(), a.data() + a.size());
}

std::vector<int> vectorI32(py::handle obj, const Param& p) {
  ArrayI32 a = toI32(obj, p);
  require1D(a, p);
  return std::vector<int>(a.data(), a.data() + a.size());
}

std::vector<std::vector<double>> rowsF64(py::handle obj, const Param& p) {
  ArrayF64 a = toF64(obj, p);
  require2D(a, p);
  return rowsOf<double>(a);
}

std::vector<std::vector<float>> rowsF32(py::handle obj, const Param& p) {
  ArrayF32 a = toF32(obj, p);
  require2D(a, p);
  return rowsOf<float>(a);
}

std::vector<std::vector<int>> rowsI32(py::handle obj, const Param& p) {
  ArrayI32 a = toI32(obj, p);
  require2D(a, p);
  return rowsOf<int>(a);
}

// ---- stacks ------------------------------------------------------------------------------------

Stack::Arg Stack::add(py::handle obj, const char* name, const Shape& core) {
  const Param p{fn_, name};
  ArrayF64 a = toF64(obj, p);
  const Shape shape = shapeOf(a);
  py::ssize_t step = 1;
  for (const py::ssize_t c : core) step *= c;

  Shape stackedCore{-1};
  stackedCore.insert(stackedCore.end(), core.begin(), core.end());
  const std::string expected = shapeText(core) + " or " + shapeText(stackedCore);

  if (shape == core) {
    keep_.push_back(a);
    return {a.data(), 0};
  }
  if (shape.size() != core.size() + 1 || !std::equal(core.begin(), core.end(), shape.begin() + 1))
    throwShape(p, expected, a);
  if (n_ >= 0 && shape[0] != n_)
    throw py::value_error(std::string(fn_) + "(): parameter '" + name + "' holds " +
                          std::to_string(shape[0]) + " rows but '" + firstStacked_ + "' holds " +
                          std::to_string(n_) + "; stacked inputs must have the same length");
  if (n_ < 0) {
    n_ = shape[0];
    firstStacked_ = name;
  }
  keep_.push_back(a);
  return {a.data(), step};
}

}  // namespace zrpy
