#pragma once

// mathCommon: 3-D vectors, quaternions, rotation matrices, Euler angles and rotation vectors.
//
// Conventions
// - Angles are radians unless the name ends in Degree. π is 3.141592653589793.
// - Sums of squares are formed as (y² + x²) + z², dot products as (a.y·b.y + a.x·b.x) + a.z·b.z,
//   in double, so every build gives the same bits.
// - No operation validates input: zero vectors and the like give the IEEE results stated below.

#include <vector>

#include "zr/export.h"
#include "zr/types.h"

namespace ZR {

class ZR_API mathCommon {
 public:
  // ---- 3-D vectors -------------------------------------------------------------------------

  /// Distance of a and b formed in single precision (differences, squares and sum in float,
  /// double root rounded to float); the result is always a float value.
  double eucDistancePoint22(Point2F a, Point2F b);
  /// Distance of a and b: sqrt(((ax−bx)² + (ay−by)²) + (az−bz)²).
  double eucDistancePoint33(Point3D a, Point3D b);
  /// Length of v.
  double vector3Norm(Point3D v);
  /// Sum of |v[i]|, each element first rounded to float (may overflow to +inf); 0.0 when empty.
  /// v is only read.
  double vectorNorm1(const std::vector<double>& v);
  /// Squared length of v.
  double vector3NormSquare(Point3D v);
  /// out := v / |v|; the zero vector gives (0, 0, 0).
  void vectorUnitize(Point3D v, Point3D& out);
  /// Angle between a and b in radians, in [0, π]; the cosine is clamped to [−1, 1] first.
  /// A zero vector gives NaN.
  double vector3AngleRadian(Point3D a, Point3D b);
  /// The same angle in degrees (acos(c)·180.0/π).
  double vector3AngleDegree(Point3D a, Point3D b);
  /// Cosine of the angle between a and b, (a·b)/(|b|·|a|), not clamped; 0.0 if either is zero.
  double cos3Vector(Point3D a, Point3D b);
  /// a·b.
  double dotProduct3(Point3D a, Point3D b);
  /// out := a × b.
  void crossVector3(Point3D a, Point3D b, Point3D& out);
};

}  // namespace ZR
