#pragma once

// mathCommon: 3-D vectors, quaternions, rotation matrices, Euler angles and rotation vectors.
//
// Conventions
// - Angles are radians unless the name ends in Degree. π is 3.141592653589793.
// - Sums of squares are formed as (y² + x²) + z², dot products as (a.y·b.y + a.x·b.x) + a.z·b.z,
//   in double, so every build gives the same bits.
// - No operation validates input: zero vectors and the like give the IEEE results stated below.
// - Quaternions are QuaD (w, x, y, z), scalar first. Euler triples are double[3] with a[0] the angle
//   about x, a[1] about y, a[2] about z, whatever the order (see ChannelOrderEuler in types.h).
// - Matrices are double[3][3], row-major (m[i][j] is row i, column j), in one of two layouts.
//   The column-vector layout A turns a column vector v into A·v; a rotation about z by +t has
//   row 0 = (cos t, −sin t, 0). The row-vector layout is its transpose Aᵀ, row 0 = (cos t, sin t, 0).
//
//     layout            written by                           read by
//     row-vector Aᵀ     qua2RMatrix                          rotm2EulDegree, rotm2EulRadian,
//                                                            rotation2Qua
//     column-vector A   rodVector2Rotm                       rotm2RodVector, quaMat2AngleAxis
//                       (built inside euler2Qua*)
//
//   A matrix handed from one group to an operation of the other describes the inverse rotation there.
// - Invalid orders (values outside 0…5): euler2Qua* give the identity (1, 0, 0, 0); rotm2EulRadian
//   and qua2EulRadian leave the angles untouched; the Degree variants convert the caller's three
//   values to degrees all the same.

#include <cstdint>
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

  // ---- Beyond the conversions: rotate, interpolate, measure, align, average, draw ---------------
  // Quaternion inputs are normalised first as quaIdentity does (the zero quaternion counts as the
  // identity); q and −q are the same rotation. Quaternion results are unit up to rounding.

  /// out := p rotated by q: bit for bit the column-vector matrix A of q (as qua2RMatrix forms it,
  /// transposed) times p, coordinate i = (A[i][1]·p.y + A[i][0]·p.x) + A[i][2]·p.z. The zero
  /// quaternion leaves p unchanged (the same bits).
  void quaRotatePoint(QuaD q, Point3D p, Point3D& out);
  /// out := the point at t of the shorter great arc from a to b, advancing at a constant angular
  /// speed: (sin((1−t)θ)·a + sin(tθ)·b)/sin θ with b negated when a·b < 0, θ = 2·atan2(|a−b|, |a+b|)
  /// in [0, π/2] (the rotation angle is 2θ). Exactly a at t = 0 and b (or −b) at t = 1; when a and
  /// b coincide (θ = 0) the weights are 1−t and t; never NaN for finite inputs. t outside [0, 1]
  /// extrapolates along the arc.
  void quaSlerp(QuaD a, QuaD b, double t, QuaD& out);
  /// The rotation angle of a⁻¹·b in radians, in [0, π]: 2·atan2(|vector part|, |scalar part|) of
  /// conj(a)·b, accurate for tiny angles and near π (no acos). Symmetric in a and b to the bit;
  /// equal rotations give 0.
  double quaAngularDistance(QuaD a, QuaD b);
  /// out := the shortest rotation carrying the direction of `from` onto that of `to`
  /// (axis from × to). Opposite directions give the half-turn about from × e, e the coordinate
  /// axis of from's smallest |component| (the first of equal ones): (1, 0, 0) → (−1, 0, 0) turns
  /// about z. Each vector is scaled by its largest |component| before normalising (tiny and huge
  /// lengths work). A zero vector on either side, or equal directions, give (1, 0, 0, 0);
  /// non-finite components give NaN.
  void vectors2Qua(Point3D from, Point3D to, QuaD& out);
  /// out := the rotation R minimising Σ wᵢ·|R·b[i] − a[i]|² (Wahba's problem; a and b need not be
  /// unit), as the principal eigenvector of Davenport's 4×4 matrix by cyclic Jacobi, with w > 0
  /// (or the first non-zero of x, y, z positive when w = 0). Sums run from i = 0. Weights are used
  /// as given. No data or all-zero weights give (1, 0, 0, 0); when the optimum is not unique
  /// (fewer than two independent directions) the result is one optimum, fixed by the sweep order.
  /// Throws std::out_of_range("invalid vector<T> subscript") unless a, b and weights have one
  /// length.
  void alignVectors(const std::vector<Point3D>& a, const std::vector<Point3D>& b,
                    const std::vector<double>& weights, QuaD& out);
  /// out := the weighted chordal mean of qs: the principal eigenvector of Σ wᵢ·qᵢ·qᵢᵀ (qᵢ
  /// normalised, so the sign of each qᵢ does not matter), with the sign rule of alignVectors.
  /// No data or all-zero weights give (1, 0, 0, 0); exactly equal largest eigenvalues go to the
  /// lowest-numbered eigenvector of the sweep (±90° about z, equally weighted: the identity).
  /// Throws std::out_of_range("invalid vector<T> subscript") unless weights has the length of qs.
  void quaMean(const std::vector<QuaD>& qs, const std::vector<double>& weights, QuaD& out);
  /// out := the index-th rotation of the stream `seed`, uniformly distributed over all rotations
  /// (uniform on the unit sphere of quaternions; w may be negative). Each (seed, index) is drawn
  /// on its own from SplitMix64 (γ = 0x9E3779B97F4A7C15) started at mix(mix(seed + γ) ^ index),
  /// uniforms (2k + 1)·2⁻⁵² − 1 from the top 52 bits k of each word, and Marsaglia's two discs:
  /// (x1, y1, x2·r, y2·r), r = sqrt((1 − s1)/s2). The same rotations on every build, in any order,
  /// on any number of threads.
  void quaRandom(std::uint64_t seed, std::uint64_t index, QuaD& out);
};

}  // namespace ZR
