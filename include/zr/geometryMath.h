#pragma once

/// \class ZR::geometryMath
/// geometryMath: centres of a plane triangle given by its vertices. Degenerate triangles give the
/// IEEE results of the formulas (NaN or infinite coordinates); vertical sides go through ±inf
/// slopes and signed-zero bisector slopes, and stay exact.

#include "zr/export.h"
#include "zr/types.h"

namespace ZR {

class ZR_API geometryMath {
 public:
  /// out := intersection of the perpendicular bisectors of AB and AC in slope-intercept form,
  /// with AB horizontal (A.y == B.y) and then AC horizontal handled first.
  void circumCenter(Point2D A, Point2D B, Point2D C, Point2D& out);
  /// out := (a·A)/p + (b·B)/p + (c·C)/p per coordinate, a = |BC|, b = |AC|, c = |AB|,
  /// p = (a + c) + b. Three equal points give NaN.
  void inCenter(Point2D A, Point2D B, Point2D C, Point2D& out);
};

}  // namespace ZR
