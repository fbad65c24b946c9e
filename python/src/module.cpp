// The Python module zr. Each class of libzr is a submodule holding its operations as functions
// under their C++ names: zr.mathCommon.quaMulti(a, b) calls ZR::mathCommon().quaMulti(a, b, out)
// and returns out. Every operation of tools/operations.h is bound by the generic adaptor, with its
// parameter names and docstring taken from the header, except the few below whose arguments the
// signature cannot describe (flat matrices sized by separate ints, a pre-sized result, an unread
// parameter, a point set that is both read and reordered).

#include <limits>
#include <stdexcept>

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

int dim(py::ssize_t n, const Param& p) {
  if (n > std::numeric_limits<int>::max())
    throw py::value_error(std::string(p.fn) + "(): parameter '" + p.name + "' is too large for int dimensions");
  return static_cast<int>(n);
}

Array<double> matrix(py::handle obj, const Param& p, bool square) {
  Array<double> a = toArray<double>(obj, p);
  if (a.ndim() != 2 || (square && a.shape(0) != a.shape(1))) throwShape(p, square ? "(n, n)" : "(rows, cols)", a);
  return a;
}

std::string doc(const char* header, const char* python) { return std::string(header) + "\n\nPython: " + python; }

void bindFlatMatrices(py::module_ mm) {
  using M = ZR::mathMatrix;
  mm.def(
      "rotateMat",
      [](ArrayLike source) {
        const Param p{"rotateMat", "source"};
        const auto a = matrix(source.obj, p, false);
        py::array_t<double> out({a.shape(1), a.shape(0)});
        M().rotateMat(a.data(), out.mutable_data(), dim(a.shape(0), p), dim(a.shape(1), p));
        return out;
      },
      py::arg("source"), doc(ZR_DOC_mathMatrix_rotateMat, "(rows, cols) float64 -> (cols, rows); numpy: source.T").c_str());
  mm.def(
      "matrixMulmats",
      [](ArrayLike A, ArrayLike B) {
        const Param pa{"matrixMulmats", "A"}, pb{"matrixMulmats", "B"};
        const auto a = matrix(A.obj, pa, false), b = matrix(B.obj, pb, false);
        if (b.shape(0) != a.shape(1)) throwShape(pb, "(" + std::to_string(a.shape(1)) + ", n)", b);
        const int m = dim(a.shape(0), pa), k = dim(a.shape(1), pa), n = dim(b.shape(1), pb);
        py::array_t<double> out({a.shape(0), b.shape(1)});
        double* o = out.mutable_data();
        py::gil_scoped_release release;
        M().matrixMulmats(a.data(), b.data(), o, m, k, n);
        return out;
      },
      py::arg("A"), py::arg("B"),
      doc(ZR_DOC_mathMatrix_matrixMulmats, "A (m, k), B (k, n) -> (m, n); numpy: A @ B (summed in another order)").c_str());
  mm.def(
      "invMat",
      [](ArrayLike a) {
        const Param p{"invMat", "a"};
        const auto src = matrix(a.obj, p, true);
        py::array_t<double> out({src.shape(0), src.shape(1)});
        double* o = out.mutable_data();
        std::copy(src.data(), src.data() + src.size(), o);
        const int n = dim(src.shape(0), p);
        py::gil_scoped_release release;
        M().invMat(o, n);
        return out;
      },
      py::arg("a"), doc(ZR_DOC_mathMatrix_invMat, "(n, n) -> a new (n, n) array; a is not changed").c_str());
  mm.def(
      "traceMat",
      [](ArrayLike a) {
        const Param p{"traceMat", "a"};
        const auto src = matrix(a.obj, p, true);
        return M().traceMat(src.data(), dim(src.shape(0), p));
      },
      py::arg("a"), doc(ZR_DOC_mathMatrix_traceMat, "(n, n) -> float").c_str());
  mm.def(
      "detMatrix",
      [](ArrayLike a) {
        const Param p{"detMatrix", "a"};
        const auto src = matrix(a.obj, p, false);
        const int r = dim(src.shape(0), p), c = dim(src.shape(1), p);
        py::gil_scoped_release release;
        return M().detMatrix(src.data(), r, c);
      },
      py::arg("a"), doc(ZR_DOC_mathMatrix_detMatrix, "(rows, cols) -> float").c_str());

  // The overwriting rearrangements need a zero result of the output's shape before the call.
  using Rearrange = void (M::*)(Rows<float>, Rows<float>&);
  const struct {
    const char* name;
    Rearrange op;
    bool turn;
    const char* doc;
  } rearrangements[] = {{"fipud", &M::fipud, false, ZR_DOC_mathMatrix_fipud},
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
  const std::pair<const char*, Curve> curves[] = {{"bezier_n", &ZR::Graph::bezier_n},
                                                  {"bezier_1", &ZR::Graph::bezier_1},
                                                  {"bezier_2", &ZR::Graph::bezier_2},
                                                  {"bezier_3", &ZR::Graph::bezier_3}};
  const char* docs[] = {ZR_DOC_Graph_bezier_n, ZR_DOC_Graph_bezier_1, ZR_DOC_Graph_bezier_2, ZR_DOC_Graph_bezier_3};
  for (std::size_t i = 0; i < 4; ++i) {
    g.def(
        curves[i].first,
        [name = curves[i].first, op = curves[i].second](ArrayLike x, ArrayLike y) {
          Rows<double> curve;
          (ZR::Graph().*op)(vectorOf<int>(x.obj, {name, "x"}), vectorOf<int>(y.obj, {name, "y"}), 0, curve);
          return fromRows(curve, 2);
        },
        py::arg("x"), py::arg("y"), doc(docs[i], "x (N,) int32, y (N,) int32 -> (rows, 2) float64").c_str());
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
      "zr: bit-reproducible numerics for orientation, small matrices, statistics, curves and "
      "images.\n\n"
      "One submodule per C++ class (zr.mathCommon, zr.mathMatrix, zr.SVD, ...) holds that class's "
      "operations as functions under their C++ names, documented by the C++ header. Inputs are "
      "NumPy arrays or anything numpy.asarray accepts; results are returned (the return value "
      "first, then the C++ output parameters; a tuple where there are several), never written into "
      "arguments. Quaternions are (w, x, y, z), scalar first. Fixed-size inputs also take stacks "
      "(N, ...), computed in C++ without the GIL with each row giving the bits of the single call. "
      "The library's two failures arrive as IndexError('invalid vector<T> subscript') and "
      "ValueError('vector<T> too long').";

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
      "Order in which the three elementary rotations of an Euler triple a are composed.\n\n"
      "a[0] is always the angle about x, a[1] about y, a[2] about z; the letters name the "
      "factors from left to right, e.g. ZYX is qZ(a[2])*qY(a[1])*qX(a[0]) (Rz*Ry*Rx on column "
      "vectors). In SciPy terms this is an intrinsic rotation: ZYX matches "
      "Rotation.from_euler('ZYX', [a[2], a[1], a[0]]). Any int32 may be passed where an order is "
      "expected; each operation documents values outside 0..5.";
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
