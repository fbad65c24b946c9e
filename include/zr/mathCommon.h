#pragma once

/// \class ZR::mathCommon
/// mathCommon: 3-D vectors, quaternions, rotation matrices, Euler angles and rotation vectors.
///
/// Conventions
/// - Angles are radians unless the name ends in Degree. π is 3.141592653589793.
/// - Sums of squares are formed as (y² + x²) + z², dot products as (a.y·b.y + a.x·b.x) + a.z·b.z,
///   in double, so every build gives the same bits.
/// - No operation validates input: zero vectors and the like give the IEEE results stated below.
/// - Quaternions are QuaD (w, x, y, z), scalar first. Euler triples are double[3] with a[0] the angle
///   about x, a[1] about y, a[2] about z, whatever the order (see ChannelOrderEuler in types.h).
/// - Matrices are double[3][3], row-major (m[i][j] is row i, column j), in one of two layouts.
///   The column-vector layout A turns a column vector v into A·v; a rotation about z by +t has
///   row 0 = (cos t, −sin t, 0). The row-vector layout is its transpose Aᵀ, row 0 = (cos t, sin t, 0).
///
///       layout            written by                           read by
///       row-vector Aᵀ     qua2RMatrix                          rotm2EulDegree, rotm2EulRadian,
///                                                              rotation2Qua
///       column-vector A   rodVector2Rotm                       rotm2RodVector, quaMat2AngleAxis
///                         (built inside euler2Qua*)
///
///   A matrix handed from one group to an operation of the other describes the inverse rotation there.
/// - Invalid orders (values outside 0…5): euler2Qua* give the identity (1, 0, 0, 0); rotm2EulRadian
///   and qua2EulRadian leave the angles untouched; the Degree variants convert the caller's three
///   values to degrees all the same.

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

  // ---- Quaternions, matrices, angle-axis -----------------------------------------------------

  /// out := (q.w, −q.x, −q.y, −q.z); zero components become −0.0.
  void quaConju(QuaD q, QuaD& out);
  /// The same operation as quaConju.
  void quaConjugate(QuaD q, QuaD& out);
  /// out := a·b, the Hamilton product with a on the left; not normalised.
  void quaMulti(QuaD a, QuaD b, QuaD& out);
  /// out := q / |q|, |q| = sqrt(((x² + w²) + y²) + z²); the zero quaternion gives (1, 0, 0, 0).
  void quaIdentity(QuaD q, QuaD& out);
  /// out := (w, −x, −y, −z) / |q|, the inverse rotation (not the algebraic inverse q*/|q|²).
  /// The zero quaternion gives NaN.
  void quaInv(QuaD q, QuaD& out);
  /// Writes the rotation of q as the row-vector layout Aᵀ into m (m[i][j] = A[j][i]).
  /// q is normalised first (a zero quaternion gives the identity).
  void qua2RMatrix(QuaD q, double (*const m)[3]);
  /// out := the unit quaternion of m, read in the row-vector layout (as qua2RMatrix writes it), so
  /// rotation2Qua after qua2RMatrix gives q normalised, up to sign. m is not changed. The sign:
  /// w > 0 when 1 + trace > 1e-8, else the largest diagonal's component is positive.
  void rotation2Qua(QuaD& out, double (*const m)[3]);
  /// angle (radians) and axis of m in the column-vector layout: θ = acos((trace − 1)·0.5), not
  /// clamped (NaN outside [−1, 1]); axis (0, 0, 0) when sin θ is exactly 0. axis: 3 doubles.
  void quaMat2AngleAxis(double (*const m)[3], double& angle, double* const axis);
  /// angle := 2·acos(q.w) (not clamped, q not normalised); axis := (x, y, z) / sin(angle/2), or
  /// (0, 0, 0) when the angle is exactly 0. axis: 3 doubles.
  void qua2AngleAxis(QuaD q, double& angle, double* const axis);
  /// out := (cos(θ/2), axis·sin(θ/2)), θ in radians; the axis is used as given (not normalised).
  void theatAngle2Qua(double theta, double* const axis, QuaD& out);

  // ---- Euler angles ---------------------------------------------------------------------------

  /// out := unit quaternion of the triple (degrees; converted as (d/180)·π, the array unchanged):
  /// the column-vector matrix R_P·R_Q·R_R of the order, then the matrix-to-quaternion step.
  void euler2QuaDegree(double* const angles, ChannelOrderEuler order, QuaD& out);
  /// The same for a triple in radians.
  void euler2QuaRadian(double* const angles, ChannelOrderEuler order, QuaD& out);
  /// angles := Euler triple of q in degrees; bit for bit rotm2EulDegree of qua2RMatrix(q).
  void qua2EulDegree(QuaD q, ChannelOrderEuler order, double* const angles);
  /// angles := Euler triple of q in radians; bit for bit rotm2EulRadian of qua2RMatrix(q).
  void qua2EulRadian(QuaD q, ChannelOrderEuler order, double* const angles);
  /// angles := Euler triple (degrees) of m in the row-vector layout.
  void rotm2EulDegree(double (*const m)[3], ChannelOrderEuler order, double* const angles);
  /// angles := Euler triple (radians) of m in the row-vector layout: the middle factor's angle
  /// from asin (not clamped: NaN past ±1), the outer two from atan2 in (−π, π].
  void rotm2EulRadian(double (*const m)[3], ChannelOrderEuler order, double* const angles);

  // ---- Rotation vectors -----------------------------------------------------------------------

  /// v := rotation vector (axis · angle, radians) of m in the column-vector layout. No special
  /// case: the identity gives NaN, a half-turn gives (0, 0, 0).
  void rotm2RodVector(double (*const m)[3], double* const v);
  /// m := column-vector-layout matrix of the rotation vector v (Rodrigues' formula); the zero
  /// vector gives NaN in all nine elements.
  void rodVector2Rotm(double* const v, double (*const m)[3]);
};

}  // namespace ZR
