#pragma once

// The generic binding: bindOp turns a member pointer of libzr into a Python function. Parameters
// by value or const& are inputs; non-const references and pointers are results (after the return
// value; a tuple where there are several), except pointers an operation only reads (readPointers:
// the signatures do not say so). Fixed-size values (double, Point2D/2F/3D, QuaD, uint64, 3-element
// and 3x3 arrays) also take stacks (N, ...) unless a parameter is a container: the loop runs in C++
// without the GIL, each row exactly the single call. Results left unwritten read NaN. Operations of
// doubles alone apply elementwise to arrays of any shape.

#include <array>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "convert.h"

namespace zrpy {

/// Bit i set: parameter i is a pointer the operation only reads.
constexpr unsigned readPointers(std::string_view op) {
  for (std::string_view first : {"quaMat2AngleAxis", "euler2QuaDegree", "euler2QuaRadian", "rotm2EulDegree",
                                 "rotm2EulRadian", "rotm2RodVector", "rodVector2Rotm"})
    if (op == first) return 1u;
  return op == "rotation2Qua" || op == "theatAngle2Qua" ? 2u : 0u;
}

// ---- fixed-size values: a record of K numbers E with a core shape ----------------------------

struct V3 { double v[3]; };
struct M3 { double m[3][3]; };

template <class T>
struct Fixed { static constexpr bool ok = false; };
template <class L, std::size_t K, class E = double>
struct Record {
  static constexpr bool ok = true;
  using Elem = E;
  using Local = L;
  static constexpr std::size_t size = K;
  static_assert(sizeof(L) == K * sizeof(E), "a record is K numbers without padding");
  static void read(const E* d, L& l) { std::memcpy(static_cast<void*>(&l), d, sizeof(L)); }
  static void write(const L& l, double* d) { std::memcpy(d, static_cast<const void*>(&l), sizeof(L)); }
  static void clear(L& l) { std::fill_n(reinterpret_cast<E*>(&l), K, std::numeric_limits<E>::quiet_NaN()); }
  static L& pass(L& l) { return l; }
};
#define ZR_FIXED(T, L, K, E, ...) \
  template <>                     \
  struct Fixed<T> : Record<L, K, E> { static Shape core() { return __VA_ARGS__; }
ZR_FIXED(double, double, 1, double, {}) };
ZR_FIXED(std::uint64_t, std::uint64_t, 1, std::uint64_t, {}) };
ZR_FIXED(ZR::Point2D, ZR::Point2D, 2, double, {2}) };
ZR_FIXED(ZR::Point3D, ZR::Point3D, 3, double, {3}) };
ZR_FIXED(ZR::QuaD, ZR::QuaD, 4, double, {4}) };
ZR_FIXED(double*, V3, 3, double, {3}) static double* pass(V3& l) { return l.v; } };
ZR_FIXED(double (*)[3], M3, 9, double, {3, 3}) static double (*pass(M3& l))[3] { return l.m; } };
// A float pair is read as doubles and rounded to float.
ZR_FIXED(ZR::Point2F, ZR::Point2D, 2, double, {2})
static ZR::Point2F pass(const ZR::Point2D& l) { return {static_cast<float>(l.x), static_cast<float>(l.y)}; }
};
#undef ZR_FIXED

inline std::string fixedText(const Shape& core, bool stackable, bool integer) {
  Shape stacked{-1};
  stacked.insert(stacked.end(), core.begin(), core.end());
  const std::string one = core.empty() ? (integer ? "int" : "float") : shapeText(core);
  return stackable ? one + " or " + shapeText(stacked) : one;
}

// ---- containers ------------------------------------------------------------------------------

template <class T>
constexpr const char* dtypeName() {
  return std::is_same<T, double>::value ? "float64" : std::is_same<T, float>::value ? "float32" : "int32";
}

template <class T>
struct Conv { static constexpr bool ok = false; };
template <class T>
struct Conv<std::vector<T>> {
  static constexpr bool ok = std::is_arithmetic<T>::value;
  static std::vector<T> load(py::handle h, const Param& p, Stack&) { return vectorOf<T>(h, p); }
  static py::object cast(const std::vector<T>& v, py::ssize_t) { return fromVector(v); }
  static std::string text() { return std::string("(N,) ") + dtypeName<T>(); }
};
template <class T>
struct Conv<Rows<T>> {
  static constexpr bool ok = std::is_arithmetic<T>::value;
  static Rows<T> load(py::handle h, const Param& p, Stack& s) { return rowsOf<T>(h, p, s.cols); }
  static py::object cast(const Rows<T>& v, py::ssize_t cols) { return fromRows(v, cols); }
  static std::string text() { return std::string("(rows, cols) ") + dtypeName<T>(); }
};
template <class T, std::size_t K>
struct ConvRecords {
  static constexpr bool ok = true;
  static std::vector<T> load(py::handle h, const Param& p, Stack&) {
    return recordsOf<T, K>(toArray<double>(h, p), p, K == 3 ? "(N, 3)" : "(N, 4)", 2);
  }
  static std::string text() { return K == 3 ? "(N, 3) float64" : "(N, 4) float64"; }
};
template <> struct Conv<std::vector<ZR::Point3D>> : ConvRecords<ZR::Point3D, 3> {};
template <> struct Conv<std::vector<ZR::QuaD>> : ConvRecords<ZR::QuaD, 4> {};
template <>
struct Conv<Rows<ZR::colorChannel>> {
  static constexpr bool ok = true;
  static Rows<ZR::colorChannel> load(py::handle h, const Param& p, Stack&) {
    const auto a = toArray<std::int32_t>(h, p);  // the shape, for the rows
    const auto flat = recordsOf<ZR::colorChannel, 3, std::int32_t>(a, p, "(rows, cols, 3)", 3);
    Rows<ZR::colorChannel> out(static_cast<std::size_t>(a.shape(0)));
    const auto c = static_cast<std::size_t>(a.shape(1));
    for (std::size_t i = 0; i < out.size(); ++i) out[i].assign(flat.data() + i * c, flat.data() + (i + 1) * c);
    return out;
  }
  static std::string text() { return "(rows, cols, 3) int32"; }
};

// ---- one slot per parameter -----------------------------------------------------------------

template <class P>
using Decay = std::remove_cv_t<std::remove_reference_t<P>>;

template <class P, bool Read>
constexpr bool isOut() {
  if (std::is_lvalue_reference<P>::value) return !std::is_const<std::remove_reference_t<P>>::value;
  if (std::is_pointer<P>::value) return !Read && !std::is_const<std::remove_pointer_t<P>>::value;
  return false;
}

struct SlotBase {
  static constexpr bool ok = true, out = false, container = false;
  void load(const py::handle*, std::size_t&, Stack&, const char*) {}
  void prepare(Stack&) {}
  void finish(py::ssize_t) {}
  void collect(py::list&, const Stack&) {}
};

template <class P, bool Out, class D = Decay<P>, class = void>
struct Slot { static constexpr bool ok = false, out = Out, container = false; };

template <class P, bool Out, class D>  // a fixed-size value, read from a row or written to one
struct Slot<P, Out, D, std::enable_if_t<Fixed<D>::ok>> : SlotBase {
  static constexpr bool out = Out;
  using F = Fixed<D>;
  Stack::Arg<typename F::Elem> a;
  py::array_t<double> result;
  double* o = nullptr;
  typename F::Local l;
  void load(const py::handle* args, std::size_t& k, Stack& s, const char* name) {
    if constexpr (!Out) a = s.add<typename F::Elem>(args[k++], name, F::core());
  }
  void prepare(Stack& s) {
    if constexpr (Out) result = s.output(F::core()), o = result.mutable_data();
  }
  P arg(py::ssize_t i) {
    if constexpr (Out) F::clear(l);
    else F::read(a.data + i * a.step, l);
    return F::pass(l);
  }
  void finish(py::ssize_t i) {
    if constexpr (Out) F::write(l, o + static_cast<py::ssize_t>(F::size) * i);
  }
  void collect(py::list& r, const Stack& s) {
    if constexpr (Out) r.append(F::core().empty() ? s.scalar(result) : result);
  }
  static std::string text(bool stackable) {
    return fixedText(F::core(), stackable, std::is_integral<typename F::Elem>::value);
  }
};

template <class P, class D>  // int, bool and enumerations: Python scalars
struct Slot<P, false, D, std::enable_if_t<std::is_same<D, int>::value || std::is_same<D, bool>::value || std::is_enum<D>::value>>
    : SlotBase {
  using Wire = typename std::conditional_t<std::is_enum<D>::value, std::underlying_type<D>, std::common_type<D>>::type;
  D v{};
  void load(const py::handle* args, std::size_t& k, Stack& s, const char* name) {
    py::detail::make_caster<Wire> c;
    if (!c.load(args[k++], true))
      throw py::type_error(std::string(s.fn()) + "(): parameter '" + name + "' must be " + text(false));
    v = static_cast<D>(py::detail::cast_op<Wire>(c));
  }
  P arg(py::ssize_t) { return v; }
  static std::string text(bool) { return std::is_enum<D>::value ? "zr.ChannelOrderEuler" : std::is_same<D, bool>() ? "bool" : "int"; }
};

template <class P, bool Out, class D>  // a container: an input converted once, or a result starting empty
struct Slot<P, Out, D, std::enable_if_t<Conv<D>::ok>> : SlotBase {
  static constexpr bool out = Out, container = true;
  D v;
  void load(const py::handle* args, std::size_t& k, Stack& s, const char* name) {
    if constexpr (!Out) v = Conv<D>::load(args[k++], {s.fn(), name}, s);
  }
  P arg(py::ssize_t) {  // containers are never stacked: the one call may take the data
    if constexpr (std::is_reference<P>::value) return v;
    else return std::move(v);
  }
  void collect(py::list& r, const Stack& s) {
    if constexpr (Out) r.append(Conv<D>::cast(v, s.cols < 0 ? 0 : s.cols));
  }
  static std::string text(bool) { return Conv<D>::text(); }
};

/// The return value: nothing, a fixed-size value (stacked like a result), an int or a container.
template <class R>
struct Ret : Slot<R&, true> {
  void set(py::ssize_t i, R r) {
    this->arg(i) = std::move(r);
    this->finish(i);
  }
};
template <> struct Ret<void> : SlotBase {};
template <>
struct Ret<int> : SlotBase {
  static constexpr bool container = true;  // keeps the operation unstacked
  int v = 0;
  void set(py::ssize_t, int r) { v = r; }
  void collect(py::list& r, const Stack&) { r.append(py::int_(v)); }
  static std::string text(bool) { return "int"; }
};

// ---- the Python function ----------------------------------------------------------------------

template <std::size_t> using Obj = ArrayLike;

template <class F, std::size_t... J>
void defArity(py::module_& m, const char* name, F f, const std::array<const char*, sizeof...(J)>& names,
              const std::string& doc, std::index_sequence<J...>) {
  m.def(
      name, [f](Obj<J>... a) { return f(std::array<py::handle, sizeof...(J)>{a.obj...}); },
      py::arg(names[J])..., doc.c_str());
}

template <std::size_t> using Dbl = double;

template <unsigned Reads, class C, class R, class... P, std::size_t... I>
void bindWith(py::module_& m, const char* name, R (C::*op)(P...), const std::array<const char*, sizeof...(P)>& names,
              const char* doc, std::index_sequence<I...>) {
  using Slots = std::tuple<Slot<P, isOut<P, ((Reads >> I) & 1u) != 0>()>...>;
  if constexpr (!((std::tuple_element_t<I, Slots>::ok && ...) && Ret<R>::ok)) {
    throw std::logic_error(std::string(name) + "(): no generic binding for this signature");
  } else if constexpr (sizeof...(P) > 0 && std::is_same<R, double>::value && (std::is_same<P, double>::value && ...)) {
    m.def(name, py::vectorize([op](Dbl<I>... x) { return (C().*op)(x...); }), py::arg(names[I])...,
          (std::string(doc) + "\n\nPython: elementwise on float arrays of any shape.").c_str());
  } else {
    constexpr bool stackable = !((std::tuple_element_t<I, Slots>::container || ...) || Ret<R>::container);
    constexpr std::size_t K = (std::size_t{!std::tuple_element_t<I, Slots>::out} + ... + 0);
    std::array<const char*, K> inNames{};
    std::string ins, outs;
    std::size_t k = 0, nOut = 0;
    if constexpr (!std::is_void<R>::value) outs = "return: " + Ret<R>::text(stackable), nOut = 1;
    auto describe = [&](auto* slot, const char* n) {
      using S = std::remove_pointer_t<decltype(slot)>;
      std::string& s = S::out ? outs : ins;
      s += (s.empty() ? "" : ", ") + std::string(n) + ": " + S::text(stackable);
      (S::out ? nOut : k) += 1;
      if (!S::out) inNames[k - 1] = n;
    };
    (describe(static_cast<std::tuple_element_t<I, Slots>*>(nullptr), names[I]), ...);
    const std::string text = std::string(doc) + "\n\nPython: (" + ins + ") -> " + (nOut > 1 ? "(" + outs + ")" : outs);
    auto call = [op, name, names](std::array<py::handle, K> args) -> py::object {
      Stack s(name, stackable);
      Slots slots;
      Ret<R> ret;
      std::size_t next = 0;
      (std::get<I>(slots).load(args.data(), next, s, names[I]), ...);
      (std::get<I>(slots).prepare(s), ...);
      ret.prepare(s);
      {
        py::gil_scoped_release release;
        for (py::ssize_t i = 0; i < s.rows(); ++i) {
          if constexpr (std::is_void<R>::value) (C().*op)(std::get<I>(slots).arg(i)...);
          else ret.set(i, (C().*op)(std::get<I>(slots).arg(i)...));
          (std::get<I>(slots).finish(i), ...);
        }
      }
      py::list r;
      ret.collect(r, s);
      (std::get<I>(slots).collect(r, s), ...);
      if (r.size() == 1) return r[0];
      return std::move(py::tuple(r));
    };
    defArity(m, name, call, inNames, text, std::make_index_sequence<K>{});
  }
}

/// Binds the operation unless a function of that name was bound by hand before.
template <unsigned Reads, class C, class R, class... P>
void bindOp(py::module_ m, const char* name, R (C::*op)(P...), std::initializer_list<const char*> names,
            const char* doc) {
  if (py::hasattr(m, name)) return;
  if (names.size() != sizeof...(P)) throw std::logic_error(std::string(name) + "(): parameter names do not match");
  std::array<const char*, sizeof...(P)> copy{};
  std::copy(names.begin(), names.end(), copy.begin());
  bindWith<Reads>(m, name, op, copy, doc, std::index_sequence_for<P...>{});
}

}  // namespace zrpy
