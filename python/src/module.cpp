// The Python module zr: a submodule per class of libzr holds its operations under their C++ names
// (zr.mathCommon.quaMulti(a, b) returns the out of ZR::mathCommon().quaMulti(a, b, out)). The generic
// adaptor binds every operation of tools/operations.h except the few bound by hand below, whose
// arguments the signature cannot describe (flat matrices sized by ints, a pre-sized result, an unread
// parameter, a point set both read and reordered).


#include "adaptor.h"
#include "operations.h"
#include "zr_docs.h"

namespace zrpy {
namespace {

/// zr.<name>, created once and registered in sys.modules so that `import zr.mathCommon` and
/// `from zr.mathCommon import quaMulti` work.
py::module_ submodule(py::module_& m, const char* name, const char* doc) {
  if (py::hasattr(m, name)) return m.attr(name);
  py::module_ sub = m.def_submodule(name, doc);
  py::module_::import("sys").attr("modules")[py::str(std::string("zr.") + name)] = sub;
  return sub;
}

// A flat row-major matrix: the array and its dimensions as the library's ints.
struct Flat {
  Array<double> a;
  int rows, cols;
};
Flat flat(py::handle obj, const Param& p, bool square) {
  Array<double> a = toArray<double>(obj, p);
  if (a.ndim() != 2 || (square && a.shape(0) != a.shape(1))) throwShape(p, square ? "(n, n)" : "(rows, cols)", a);
  if (a.shape(0) > std::numeric_limits<int>::max() || a.shape(1) > std::numeric_limits<int>::max())
    throw py::value_error(p.where() + " is too large for int dimensions");
  return {a, static_cast<int>(a.shape(0)), static_cast<int>(a.shape(1))};
}

std::string doc(const char* header, const char* python) { return std::string(header) + "\n\nPython: " + python; }

void bindFlatMatrices(py::module_ mm) {
  using M = ZR::mathMatrix;
  mm.def(
      "rotateMat",
      [](ArrayLike source) {
        const Flat s = flat(source.obj, {"rotateMat", "source"}, false);
        py::array_t<double> out({s.cols, s.rows});
        M().rotateMat(s.a.data(), out.mutable_data(), s.rows, s.cols);
        return out;
      },
      py::arg("source"), doc(ZR_DOC_mathMatrix_rotateMat, "(rows, cols) -> (cols, rows); numpy: source.T").c_str());
  mm.def(
      "matrixMulmats",
      [](ArrayLike A, ArrayLike B) {
        const Flat a = flat(A.obj, {"matrixMulmats", "A"}, false), b = flat(B.obj, {"matrixMulmats", "B"}, false);
        if (b.rows != a.cols) throwShape({"matrixMulmats", "B"}, "(" + std::to_string(a.cols) + ", n)", b.a);
        py::array_t<double> out({a.rows, b.cols});
        double* o = out.mutable_data();
        py::gil_scoped_release release;
        M().matrixMulmats(a.a.data(), b.a.data(), o, a.rows, a.cols, b.cols);
        return out;
      },
      py::arg("A"), py::arg("B"),
      doc(ZR_DOC_mathMatrix_matrixMulmats, "A (m, k), B (k, n) -> (m, n); numpy: A @ B (summed in another order)").c_str());
  mm.def(
      "invMat",
      [](ArrayLike a) {
        const Flat s = flat(a.obj, {"invMat", "a"}, true);
        py::array_t<double> out({s.rows, s.rows});
        double* o = std::copy(s.a.data(), s.a.data() + s.a.size(), out.mutable_data()) - s.a.size();
        py::gil_scoped_release release;
        M().invMat(o, s.rows);
        return out;
      },
      py::arg("a"), doc(ZR_DOC_mathMatrix_invMat, "(n, n) -> a new (n, n) array; a is not changed").c_str());
  mm.def(
      "traceMat",
      [](ArrayLike a) {
        const Flat s = flat(a.obj, {"traceMat", "a"}, true);
        return M().traceMat(s.a.data(), s.rows);
      },
      py::arg("a"), doc(ZR_DOC_mathMatrix_traceMat, "(n, n) -> float").c_str());
  mm.def(
      "detMatrix",
      [](ArrayLike a) {
        const Flat s = flat(a.obj, {"detMatrix", "a"}, false);
        py::gil_scoped_release release;
        return M().detMatrix(s.a.data(), s.rows, s.cols);
      },
      py::arg("a"), doc(ZR_DOC_mathMatrix_detMatrix, "(rows, cols) -> float").c_str());

  // The overwriting rearrangements need a zero result of the output's shape before the call.
  using Rearrange = void (M::*)(Rows<float>, Rows<float>&);
  const struct { const char* name; Rearrange op; bool turn; const char* doc; } rearrangements[] = {{"fipud", &M::fipud, false, ZR_DOC_mathMatrix_fipud},
                        {"tril", &M::tril, false, ZR_DOC_mathMatrix_tril},
                        {"triu", &M::triu, false, ZR_DOC_mathMatrix_triu},
                        {"rot90", &M::rot90, true, ZR_DOC_mathMatrix_rot90}};
  for (const auto& e : rearrangements) {
    mm.def(
        e.name,
        [name = e.name, op = e.op, turn = e.turn](ArrayLike in) {
          py::ssize_t cols = -1;
          auto rows = rowsOf<float>(in.obj, {name, "in"}, cols);
          const auto r = static_cast<py::ssize_t>(rows.size());
          Rows<float> out(static_cast<std::size_t>(turn ? cols : r),
                          std::vector<float>(static_cast<std::size_t>(turn ? r : cols), 0.0f));
          (M().*op)(std::move(rows), out);
          return fromRows(out, turn ? r : cols);
        },
        py::arg("in"), doc(e.doc, e.turn ? "(r, c) float32 -> (c, r) float32" : "(r, c) float32 -> (r, c) float32").c_str());
  }
}

void bindGraph(py::module_ g) {
  using Curve = void (ZR::Graph::*)(std::vector<int>, std::vector<int>, int, Rows<double>&);
  const struct { const char* name; Curve op; const char* doc; } curves[] = {
      {"bezier_n", &ZR::Graph::bezier_n, ZR_DOC_Graph_bezier_n}, {"bezier_1", &ZR::Graph::bezier_1, ZR_DOC_Graph_bezier_1},
      {"bezier_2", &ZR::Graph::bezier_2, ZR_DOC_Graph_bezier_2}, {"bezier_3", &ZR::Graph::bezier_3, ZR_DOC_Graph_bezier_3}};
  for (const auto& e : curves) {
    g.def(
        e.name,
        [name = e.name, op = e.op](ArrayLike x, ArrayLike y) {
          Rows<double> curve;
          (ZR::Graph().*op)(vectorOf<int>(x.obj, {name, "x"}), vectorOf<int>(y.obj, {name, "y"}), 0, curve);
          return fromRows(curve, 2);
        },
        py::arg("x"), py::arg("y"), doc(e.doc, "x (N,) int32, y (N,) int32 -> (rows, 2) float64").c_str());
  }
  g.def(
      "convexHullGraham",
      [](ArrayLike points) {
        py::ssize_t cols = -1;
        auto rows = rowsOf<int>(points.obj, {"convexHullGraham", "points"}, cols);
        auto hull = ZR::Graph().convexHullGraham(rows);
        return py::make_tuple(fromRows(hull, cols), fromRows(rows, cols));
      },
      py::arg("points"),
      doc(ZR_DOC_Graph_convexHullGraham, "(N, k) int32 -> (hull, reordered): the hull and the input rows in the "
                                         "scan's order, both (rows, k) int32").c_str());
}

}  // namespace
}  // namespace zrpy

PYBIND11_MODULE(zr, m) {
  namespace py = pybind11;
  m.doc() =
      "zr: bit-reproducible numerics for orientation, small matrices, statistics, curves and images.\n\n"
      "One submodule per C++ class (zr.mathCommon, zr.SVD, ...) holds its operations under their C++ names, "
      "documented by the C++ header. Inputs are anything numpy.asarray accepts; results are returned (the "
      "return value, then the output parameters; a tuple where there are several). Quaternions are (w, x, y, "
      "z). Fixed-size inputs also take stacks (N, ...), computed without the GIL, each row the bits of the "
      "single call. Failures: IndexError('invalid vector<T> subscript'), ValueError('vector<T> too long').";
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const std::out_of_range& e) {
      PyErr_SetString(PyExc_IndexError, e.what());
    } catch (const std::length_error& e) {
      PyErr_SetString(PyExc_ValueError, e.what());
    }
  });

  py::list members;
  const char* names[] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
  for (int i = 0; i < 6; ++i) members.append(py::make_tuple(names[i], i));
  py::object order =
      py::module_::import("enum").attr("IntEnum")("ChannelOrderEuler", members, py::arg("module") = "zr");
  order.attr("__doc__") =
      "Order in which the elementary rotations of an Euler triple a are composed: a[0] is about x, a[1] "
      "about y, a[2] about z; the letters name the factors from left to right, e.g. ZYX is Rz*Ry*Rx on "
      "column vectors, SciPy's Rotation.from_euler('ZYX', [a[2], a[1], a[0]]) (intrinsic). Any int32 may be "
      "passed; each operation documents values outside 0..5.";
  m.attr("ChannelOrderEuler") = order;

  zrpy::bindFlatMatrices(zrpy::submodule(m, "mathMatrix", ZR_CLASS_DOC_mathMatrix));
  zrpy::bindGraph(zrpy::submodule(m, "Graph", ZR_CLASS_DOC_Graph));
#define ZR_BIND(cls, op)                                                                              \
  zrpy::bindOp<zrpy::readPointers(#op)>(zrpy::submodule(m, #cls, ZR_CLASS_DOC_##cls), #op, &ZR::cls::op, \
                                        ZR_PARAMS_##cls##_##op, ZR_DOC_##cls##_##op);
  ZR_OPERATIONS(ZR_BIND)
#undef ZR_BIND
  m.attr("mathCommon").attr("ChannelOrderEuler") = order;
}
