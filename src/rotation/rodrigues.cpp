// Rotation (Rodrigues) vectors to and from column-vector-layout rotation matrices.

#include <cmath>

#include "frame/elementary_functions.h"
#include "rotation/rotation_detail.h"
#include "zr/mathCommon.h"

namespace ZR {
namespace {

using detail::kRoundingSlack;

// Below this distance of the cosine from −1 (angles within about 2.8e-3 of π) acos and sin lose the
// angle: the plain formula's error grows like 1e-16/(1 + cos θ). There the vector comes from the
// quaternion of the largest diagonal element instead.
constexpr double kNearHalfTurn = 0x1p-18;

// The rotation vector of a matrix whose angle is near π, through its quaternion: the component of
// the largest diagonal element (the first of equal ones) from the symmetric part, the others from
// sums of opposite elements, w from the antisymmetric part; w ≥ 0 fixes the sign, and at w = 0
// (exactly π) the largest diagonal's component stays positive. The angle is 2·atan2(|q_v|, w).
void vectorNearHalfTurn(const double (*m)[3], double* v) {
  const int i = (m[0][0] >= m[1][1] && m[0][0] >= m[2][2]) ? 0 : (m[1][1] >= m[2][2] ? 1 : 2);
  const int j = (i + 1) % 3, k = (i + 2) % 3;
  const double s = std::sqrt(((m[i][i] + 1.0) - m[j][j]) - m[k][k]) * 2.0;  // 4·|q_i|
  double q[3];
  q[i] = s * 0.25;
  q[j] = (m[j][i] + m[i][j]) / s;
  q[k] = (m[k][i] + m[i][k]) / s;
  double w = (m[k][j] - m[j][k]) / s;
  if (w < 0.0) {
    w = -w;
    q[0] = -q[0], q[1] = -q[1], q[2] = -q[2];
  }
  const double n = std::sqrt((q[1] * q[1] + q[0] * q[0]) + q[2] * q[2]);
  const double f = (zr_frame::atan2(n, w) * 2.0) / n;
  v[0] = q[0] * f, v[1] = q[1] * f, v[2] = q[2] * f;
}

}  // namespace

void mathCommon::rotm2RodVector(double (*const m)[3], double* const v) {
  const double c = (((m[1][1] + m[0][0]) + m[2][2]) - 1.0) * 0.5;
  if (c >= 1.0 && c <= 1.0 + kRoundingSlack) {
    // The angle rounds to 0 (below about 1.5e-8): the first-order vector, half the antisymmetric
    // part; the identity gives (0, 0, 0).
    v[0] = (m[2][1] - m[1][2]) * 0.5;
    v[1] = (m[0][2] - m[2][0]) * 0.5;
    v[2] = (m[1][0] - m[0][1]) * 0.5;
    return;
  }
  if (c < -1.0 + kNearHalfTurn && c >= -1.0 - kRoundingSlack) {
    vectorNearHalfTurn(m, v);
    return;
  }
  double theta, sinTheta;
  zr_frame::acosSin(c, theta, sinTheta);  // sin of the rounded angle, as the two calls give it
  const double k = 1.0 / (sinTheta * 2.0);
  v[0] = ((m[2][1] - m[1][2]) * k) * theta;
  v[1] = ((m[0][2] - m[2][0]) * k) * theta;
  v[2] = ((m[1][0] - m[0][1]) * k) * theta;
}

void mathCommon::rodVector2Rotm(double* const v, double (*const m)[3]) {
  double theta = std::sqrt((v[1] * v[1] + v[0] * v[0]) + v[2] * v[2]);
  if (theta == 0.0) {
    // The zero vector (or one whose squares all underflow): no rotation.
    for (int r = 0; r < 3; ++r)
      for (int col = 0; col < 3; ++col) m[r][col] = r == col ? 1.0 : 0.0;
    return;
  }
  double nx, ny, nz;
  if (std::isinf(theta) && std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2])) {
    // The squares overflow (length above about 1.3e154): scale by the largest component first.
    const double big = std::fmax(std::fmax(std::fabs(v[0]), std::fabs(v[1])), std::fabs(v[2]));
    const double x = v[0] / big, y = v[1] / big, z = v[2] / big;
    const double r = std::sqrt((y * y + x * x) + z * z);
    nx = x / r, ny = y / r, nz = z / r;
    theta = r * big;  // still infinite beyond the largest double: NaN below
  } else {
    nx = v[0] / theta, ny = v[1] / theta, nz = v[2] / theta;
  }
  double s, c;
  zr_frame::sinCos(theta, s, c);
  const double t = 1.0 - c;
  m[0][0] = t * nx * nx + c;
  m[0][1] = t * nx * ny - s * nz;
  m[0][2] = t * nx * nz + s * ny;
  m[1][0] = t * ny * nx + s * nz;
  m[1][1] = t * ny * ny + c;
  m[1][2] = t * ny * nz - s * nx;
  m[2][0] = t * nz * nx - s * ny;
  m[2][1] = t * nz * ny + s * nx;
  m[2][2] = t * nz * nz + c;
}

}  // namespace ZR
