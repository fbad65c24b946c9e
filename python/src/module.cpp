// The Python module zr. Each class of libzr is a submodule holding its operations as functions
// under their C++ names: zr.mathCommon.quaMulti(a, b) calls ZR::mathCommon().quaMulti(a, b, out)
// and returns out.

#include "module.h"

#include <stdexcept>

namespace zrpy {
namespace {

py::object& enumSlot() {
  // Leaked on purpose: it must not be released after the interpreter has gone.
  static auto* slot = new py::object();
  return *slot;
}

}  // namespace

py::module_ submodule(py::module_& m, const char* name, const char* doc) {
  py::module_ sub = m.def_submodule(name, doc);
  py::module_::import("sys").attr("modules")[py::str(std::string("zr.") + name)] = sub;
  return sub;
}

py::object channelOrderEuler() { return enumSlot(); }

}  // namespace zrpy

PYBIND11_MODULE(zr, m) {
  namespace py = pybind11;
  m.doc() =
      "zr: bit-reproducible numerics for orientation, small matrices, statistics, curves and "
      "images.\n\n"
      "One submodule per C++ class (zr.mathCommon, zr.mathMatrix, zr.SVD, ...) holds that class's "
      "operations as functions under their C++ names. Inputs are NumPy arrays or anything "
      "numpy.asarray accepts; results are returned (a tuple where there are several), never "
      "written into arguments. Quaternions are (w, x, y, z), scalar first. The library's two "
      "failures arrive as IndexError('invalid vector<T> subscript') and "
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
  zrpy::enumSlot() = order;

  zrpy::bindMathCommon(m);
  zrpy::bindMathMatrix(m);
  zrpy::bindStatistics(m);
  zrpy::bindGraph(m);
  zrpy::bindImage(m);
  zrpy::bindElementary(m);
}
