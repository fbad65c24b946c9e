#pragma once

// One function per class of libzr adds its submodule (zr.mathCommon, zr.mathMatrix, ...).

#include <pybind11/pybind11.h>

namespace zrpy {

namespace py = pybind11;

/// m.def_submodule(name, doc), also registered in sys.modules so that
/// `from zr.mathCommon import quaMulti` and `import zr.mathCommon` work.
py::module_ submodule(py::module_& m, const char* name, const char* doc);

/// zr.ChannelOrderEuler (an enum.IntEnum), created once by the module.
py::object channelOrderEuler();

void bindMathCommon(py::module_& m);
void bindMathCommonRotations(py::module_& m);
void bindMathMatrix(py::module_& m);
void bindStatistics(py::module_& m);
void bindGraph(py::module_& m);
void bindImage(py::module_& m);
void bindElementary(py::module_& m);

}  // namespace zrpy
