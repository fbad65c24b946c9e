#pragma once

/// \class ZR::Graph
/// Graph: sampled Bezier curves over integer control points and convex hulls of integer points.
///
/// Conventions
/// - A curve is a vector of rows {X, Y}; every Bezier operation appends its rows behind what the
///   curve already holds and never clears it. t runs from 0.0f in float steps accumulated in float
///   while t <= 1.0f, so t = 1 itself is never sampled; coordinates are formed in float and widened
///   to double when stored.
/// - The int parameter of the Bezier operations is not read.
/// - A point set is a vector of rows, element 0 the x and element 1 the y coordinate; further
///   elements travel with the row. A hull is a new vector of copies of input rows, not closed
///   (the first point is not repeated at the end). With three or fewer rows the hull is a copy of
///   the input, row for row.
/// - Orientation tests and squared distances are exact for every int coordinate.
/// - With four or more rows, a row of fewer than two elements raises std::out_of_range
///   ("invalid vector<T> subscript") before anything is read or reordered.

#include <vector>

#include "zr/export.h"
#include "zr/types.h"

namespace ZR {

class ZR_API Graph {
 public:
  // ---- Bezier curves -------------------------------------------------------------------------

  /// Appends 2000 rows of the Bernstein-form curve through all points (x[k], y[k]), step 0.0005f.
  /// An empty x gives rows {0, 0}. y shorter than x raises out_of_range before appending.
  void bezier_n(std::vector<int> x, std::vector<int> y, int reserved,
                std::vector<std::vector<double>>& curve);
  /// Appends 501 rows of the line from (x[0], y[0]) to (x[1], y[1]), step 0.002f.
  /// x or y with fewer than two elements raises out_of_range before appending.
  void bezier_1(std::vector<int> x, std::vector<int> y, int reserved,
                std::vector<std::vector<double>>& curve);
  /// Appends 501 rows of the quadratic curve on the last three points of x (m = size − 3), step
  /// 0.002f. Fewer than three points, or y shorter than x, raises out_of_range before appending.
  void bezier_2(std::vector<int> x, std::vector<int> y, int reserved,
                std::vector<std::vector<double>>& curve);
  /// Appends 501 rows of the cubic curve on the last four points of x (m = size − 4), step
  /// 0.002f. Fewer than four points, or y shorter than x, raises out_of_range before appending.
  void bezier_3(std::vector<int> x, std::vector<int> y, int reserved,
                std::vector<std::vector<double>>& curve);

  // ---- Convex hulls ------------------------------------------------------------------------

  /// Graham scan: counter-clockwise from the pivot (smallest y, first in input order), every
  /// boundary point included, edge points in boundary order. Reorders the caller's rows: the pivot
  /// first, the others in angular order (nearer first along a ray; on the pivot's horizontal line
  /// the rows at angle 0 come before those at angle π).
  std::vector<std::vector<int>> convexHullGraham(std::vector<std::vector<int>>& points);
  /// Jarvis march: counter-clockwise from the smallest y (then smallest x), every boundary point
  /// included; inside one edge the points come in input order, the farthest last. points is only
  /// read.
  std::vector<std::vector<int>> convexHullJarvis(const std::vector<std::vector<int>>& points);
  /// Divide and conquer on the chord from the leftmost to the rightmost point: every boundary
  /// point, in the order the recursion finds them (not a boundary walk). points is only read.
  std::vector<std::vector<int>> convexHullDivideConquer(const std::vector<std::vector<int>>& points);
};

}  // namespace ZR
