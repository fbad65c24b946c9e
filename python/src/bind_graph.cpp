// zr.Graph: control points and point sets are int32 arrays; curves come back as (rows, 2) float64.

#include <zr/Graph.h>

#include "convert.h"
#include "module.h"

namespace zrpy {
namespace {

using Curve = void (ZR::Graph::*)(std::vector<int>, std::vector<int>, int, std::vector<std::vector<double>>&);

void defBezier(py::module_& g, const char* name, Curve op, const char* doc) {
  g.def(
      name,
      [name, op](ArrayLike x, ArrayLike y) {
        std::vector<std::vector<double>> curve;
        ZR::Graph graph;
        (graph.*op)(vectorI32(x, {name, "x"}), vectorI32(y, {name, "y"}), 0, curve);
        return fromRows(curve, 2);
      },
      py::arg("x"), py::arg("y"), doc);
}

}  // namespace

void bindGraph(py::module_& m) {
  py::module_ g =
      submodule(m, "Graph",
                "Bezier curves over int32 control points (x, y: 1-D arrays) and convex hulls of "
                "int32 point sets ((N, 2) arrays, or (N, k) with extra columns travelling along).");
  defBezier(g, "bezier_n", &ZR::Graph::bezier_n,
            "Bernstein-form curve through all control points: (2000, 2) float64, t stepped by 0.0005 "
            "in float32.");
  defBezier(g, "bezier_1", &ZR::Graph::bezier_1,
            "Line from (x[0], y[0]) to (x[1], y[1]): (501, 2) float64, t stepped by 0.002 in float32.");
  defBezier(g, "bezier_2", &ZR::Graph::bezier_2,
            "Quadratic curve on the last three control points: (501, 2) float64.");
  defBezier(g, "bezier_3", &ZR::Graph::bezier_3,
            "Cubic curve on the last four control points: (501, 2) float64.");

  g.def(
      "convexHullGraham",
      [](ArrayLike points) {
        auto rows = rowsI32(points, {"convexHullGraham", "points"});
        const auto cols = rows.empty() ? 2 : static_cast<py::ssize_t>(rows[0].size());
        auto hull = ZR::Graph().convexHullGraham(rows);
        return py::make_tuple(fromRows(hull, cols), fromRows(rows, cols));
      },
      py::arg("points"),
      "Graham scan. Returns (hull, reordered): the hull rows counter-clockwise from the lowest point "
      "(boundary points included, not closed) and the input rows in the scan's angular order.");
  g.def(
      "convexHullJarvis",
      [](ArrayLike points) {
        const auto rows = rowsI32(points, {"convexHullJarvis", "points"});
        const auto cols = rows.empty() ? 2 : static_cast<py::ssize_t>(rows[0].size());
        return fromRows(ZR::Graph().convexHullJarvis(rows), cols);
      },
      py::arg("points"),
      "Jarvis march: hull rows counter-clockwise from the lowest point, boundary points included.");
  g.def(
      "convexHullDivideConquer",
      [](ArrayLike points) {
        const auto rows = rowsI32(points, {"convexHullDivideConquer", "points"});
        const auto cols = rows.empty() ? 2 : static_cast<py::ssize_t>(rows[0].size());
        return fromRows(ZR::Graph().convexHullDivideConquer(rows), cols);
      },
      py::arg("points"), "Divide and conquer: every boundary point, in the order the recursion finds them.");
}

}  // namespace zrpy
