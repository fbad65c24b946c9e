// Quaternions, rotation matrices and the angle-axis form.

#include <cmath>

#include "frame/elementary_functions.h"
#include "rotation/rotation_detail.h"
#include "zr/mathCommon.h"

namespace ZR {
namespace detail {

QuaD normalised(const QuaD& q) {
  const double n = std::sqrt(((q.x * q.x + q.w * q.w) + q.y * q.y) + q.z * q.z);
  if (n == 0.0) return QuaD{1.0, 0.0, 0.0, 0.0};
  return dividedBy(q.w, q.x, q.y, q.z, n);
}

void rowMatrixOfUnit(const QuaD& u, double (*m)[3]) {
  const double w2 = 2.0 * u.w, x2 = 2.0 * u.x, y2 = 2.0 * u.y, z2 = 2.0 * u.z;
  m[0][0] = (1.0 - y2 * u.y) - z2 * u.z;
  m[0][1] = x2 * u.y + w2 * u.z;
  m[0][2] = x2 * u.z - w2 * u.y;
  m[1][0] = x2 * u.y - w2 * u.z;
  m[1][1] = (1.0 - x2 * u.x) - z2 * u.z;
  m[1][2] = w2 * u.x + y2 * u.z;
  m[2][0] = w2 * u.y + x2 * u.z;
  m[2][1] = y2 * u.z - w2 * u.x;
  m[2][2] = (1.0 - x2 * u.x) - y2 * u.y;
}

QuaD quaternionOfColumnMatrix(const double (*m)[3]) {
  double w, x, y, z;
  const double t = ((m[0][0] + 1.0) + m[1][1]) + m[2][2];
  if (t > 1e-8) {
    const double s = 0.5 / std::sqrt(t);
    w = 0.25 / s;
    x = (m[2][1] - m[1][2]) * s;
    y = (m[0][2] - m[2][0]) * s;
    z = (m[1][0] - m[0][1]) * s;
  } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
    // Three quotients by s; the fourth lane repeats the third.
    const double s = std::sqrt(((m[0][0] + 1.0) - m[1][1]) - m[2][2]) * 2.0;
    x = s * 0.25;
    const QuaD q = dividedBy(m[2][1] - m[1][2], m[1][0] + m[0][1], m[2][0] + m[0][2], m[2][0] + m[0][2], s);
    w = q.w, y = q.x, z = q.y;
  } else if (m[1][1] > m[2][2]) {
    const double s = std::sqrt(((m[1][1] + 1.0) - m[0][0]) - m[2][2]) * 2.0;
    const QuaD q = dividedBy(m[0][2] - m[2][0], m[1][0] + m[0][1], m[2][1] + m[1][2], m[2][1] + m[1][2], s);
    w = q.w, x = q.x, z = q.y;
    y = s * 0.25;
  } else {
    const double s = std::sqrt(((m[2][2] + 1.0) - m[0][0]) - m[1][1]) * 2.0;
    const QuaD q = dividedBy(m[1][0] - m[0][1], m[2][0] + m[0][2], m[2][1] + m[1][2], m[2][1] + m[1][2], s);
    w = q.w, x = q.x, y = q.y;
    z = s * 0.25;
  }
  const double n = std::sqrt(((w * w + x * x) + y * y) + z * z);
  return dividedBy(w, x, y, z, n);
}

}  // namespace detail

void mathCommon::quaConju(QuaD q, QuaD& out) { out = QuaD{q.w, -q.x, -q.y, -q.z}; }

void mathCommon::quaConjugate(QuaD q, QuaD& out) { quaConju(q, out); }

void mathCommon::quaMulti(QuaD a, QuaD b, QuaD& out) {
  out = QuaD{a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,  //
             a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,  //
             a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,  //
             a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

void mathCommon::quaIdentity(QuaD q, QuaD& out) { out = detail::normalised(q); }

void mathCommon::quaInv(QuaD q, QuaD& out) {
  const double n = std::sqrt(((q.x * q.x + q.w * q.w) + q.y * q.y) + q.z * q.z);
  const QuaD u = detail::dividedBy(q.w, q.x, q.y, q.z, n);
  out = QuaD{u.w, -u.x, -u.y, -u.z};
}

void mathCommon::qua2RMatrix(QuaD q, double (*const m)[3]) { detail::rowMatrixOfUnit(detail::normalised(q), m); }

void mathCommon::rotation2Qua(QuaD& out, double (*const m)[3]) {
  // m is in the row-vector layout qua2RMatrix writes; the step reads the column-vector layout.
  const double a[3][3] = {{m[0][0], m[1][0], m[2][0]}, {m[0][1], m[1][1], m[2][1]}, {m[0][2], m[1][2], m[2][2]}};
  out = detail::quaternionOfColumnMatrix(a);
}

void mathCommon::quaMat2AngleAxis(double (*const m)[3], double& angle, double* const axis) {
  const double theta = zr_frame::acos((((m[1][1] + m[0][0]) + m[2][2]) - 1.0) * 0.5);
  angle = theta;
  const double s = zr_frame::sin(theta);
  if (s == 0.0) {
    axis[0] = axis[1] = axis[2] = 0.0;
    return;
  }
  axis[0] = (m[2][1] - m[1][2]) / (2.0 * s);
  axis[1] = (m[0][2] - m[2][0]) / (2.0 * s);
  axis[2] = (m[1][0] - m[0][1]) / (2.0 * s);
}

void mathCommon::qua2AngleAxis(QuaD q, double& angle, double* const axis) {
  const double a = zr_frame::acos(q.w) * 2.0;
  angle = a;
  if (a == 0.0) {
    axis[0] = axis[1] = axis[2] = 0.0;
    return;
  }
  const double h = zr_frame::sin(a * 0.5);
  axis[0] = q.x / h;
  axis[1] = q.y / h;
  axis[2] = q.z / h;
}

void mathCommon::theatAngle2Qua(double theta, double* const axis, QuaD& out) {
  const double h = theta * 0.5;
  double s, c;
  zr_frame::sinCos(h, s, c);
  out = QuaD{c, axis[0] * s, axis[1] * s, axis[2] * s};
}

}  // namespace ZR
