// Rotations that carry one direction onto another, and the best rotation between two weighted
// sets of directions.

#include <cmath>
#include <cstddef>

#include "frame/failure.h"
#include "rotation/eigen4.h"
#include "rotation/rotation_detail.h"
#include "zr/mathCommon.h"

namespace ZR {
namespace {

// v / |v|, scaled by its largest |component| first so that neither tiny nor huge vectors lose the
// length to underflow or overflow; false for the zero vector.
bool direction(const Point3D& v, Point3D& u) {
  const double m = std::fmax(std::fmax(std::fabs(v.x), std::fabs(v.y)), std::fabs(v.z));
  if (m == 0.0) return false;
  const Point3D s{v.x / m, v.y / m, v.z / m};
  const double n = std::sqrt((s.y * s.y + s.x * s.x) + s.z * s.z);
  u = Point3D{s.x / n, s.y / n, s.z / n};
  return true;
}

Point3D cross(const Point3D& a, const Point3D& b) {
  return Point3D{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double length(const Point3D& v) { return std::sqrt((v.y * v.y + v.x * v.x) + v.z * v.z); }

}  // namespace

void mathCommon::vectors2Qua(Point3D from, Point3D to, QuaD& out) {
  Point3D u, v;
  if (!direction(from, u) || !direction(to, v)) {
    out = QuaD{1.0, 0.0, 0.0, 0.0};
    return;
  }
  const Point3D d{v.x - u.x, v.y - u.y, v.z - u.z};
  const Point3D s{v.x + u.x, v.y + u.y, v.z + u.z};
  const double nd = length(d), ns = length(s);
  if (nd == 0.0) {
    out = QuaD{1.0, 0.0, 0.0, 0.0};
    return;
  }
  // The axis u × v, formed as u × d or u × s (equal in exact arithmetic), whichever of d and s is
  // the shorter: its components are then free of cancellation for nearly equal and nearly
  // opposite directions alike.
  Point3D axis = cross(u, nd <= ns ? d : s);
  double na = length(axis);
  if (na == 0.0) {
    // Parallel or opposite: the perpendicular u × e, e the coordinate axis of u's smallest
    // |component| (the first of equal ones).
    const double ax = std::fabs(u.x), ay = std::fabs(u.y), az = std::fabs(u.z);
    if (ax <= ay && ax <= az) {
      axis = Point3D{0.0, u.z, -u.y};
    } else if (ay <= az) {
      axis = Point3D{-u.z, 0.0, u.x};
    } else {
      axis = Point3D{u.y, -u.x, 0.0};
    }
    na = length(axis);
  }
  // cos(θ/2) = |u + v|/2 and sin(θ/2) = |u − v|/2 for unit u and v; the common factor 1/2 goes
  // with the final normalisation.
  const double k = nd / na;
  out = detail::normalised(QuaD{ns, axis.x * k, axis.y * k, axis.z * k});
}

void mathCommon::alignVectors(const std::vector<Point3D>& a, const std::vector<Point3D>& b,
                              const std::vector<double>& weights, QuaD& out) {
  const std::size_t n = a.size();
  if (b.size() != n || weights.size() != n) detail::throwOutOfRange();
  // B = Σ wᵢ·aᵢ·bᵢᵀ, each entry summed from i = 0 as (wᵢ·aᵢ[r])·bᵢ[c].
  double m[3][3] = {};
  for (std::size_t i = 0; i < n; ++i) {
    const double wa[3] = {weights[i] * a[i].x, weights[i] * a[i].y, weights[i] * a[i].z};
    const double bb[3] = {b[i].x, b[i].y, b[i].z};
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) m[r][c] += wa[r] * bb[c];
    }
  }
  // Davenport's matrix: aᵀ·A(q)·b = qᵀ·K·q, so the best q is K's principal eigenvector.
  const double sigma = (m[0][0] + m[1][1]) + m[2][2];
  const double k[4][4] = {
      {sigma, m[2][1] - m[1][2], m[0][2] - m[2][0], m[1][0] - m[0][1]},
      {0.0, 2.0 * m[0][0] - sigma, m[0][1] + m[1][0], m[0][2] + m[2][0]},
      {0.0, 0.0, 2.0 * m[1][1] - sigma, m[1][2] + m[2][1]},
      {0.0, 0.0, 0.0, 2.0 * m[2][2] - sigma},
  };
  out = zr_rotation::principalQuaternion(k);
}

}  // namespace ZR
