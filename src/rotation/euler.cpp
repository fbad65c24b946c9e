// Euler triples in the six channel orders, to and from quaternions and rotation matrices.

#include <cmath>

#include "frame/elementary_functions.h"
#include "rotation/rotation_detail.h"
#include "zr/mathCommon.h"

namespace ZR {
namespace {

using detail::kPi;

bool validOrder(ChannelOrderEuler order) { return order >= XYZ && order <= ZYX; }

// The column-vector matrix R_P·R_Q·R_R of the order's letters P, Q, R, written out as closed
// forms (each entry's terms in summation order, each product left to right); all zeros for an
// invalid order.
void columnMatrixOfEuler(const double* t, ChannelOrderEuler order, double (*m)[3]) {
  const double sa = zr_frame::sin(t[0]), ca = zr_frame::cos(t[0]);
  const double sb = zr_frame::sin(t[1]), cb = zr_frame::cos(t[1]);
  const double sc = zr_frame::sin(t[2]), cc = zr_frame::cos(t[2]);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = 0.0;
  switch (order) {
    case XYZ:
      m[0][0] = cb * cc;
      m[0][1] = -(cb * sc);
      m[0][2] = sb;
      m[1][0] = ca * sc + sa * sb * cc;
      m[1][1] = ca * cc - sa * sb * sc;
      m[1][2] = -(sa * cb);
      m[2][0] = sa * sc - ca * sb * cc;
      m[2][1] = sa * cc + ca * sb * sc;
      m[2][2] = ca * cb;
      break;
    case XZY:
      m[0][0] = cc * cb;
      m[0][1] = -(sc);
      m[0][2] = cc * sb;
      m[1][0] = ca * sc * cb + sa * sb;
      m[1][1] = ca * cc;
      m[1][2] = ca * sc * sb - sa * cb;
      m[2][0] = sa * sc * cb - ca * sb;
      m[2][1] = sa * cc;
      m[2][2] = sa * sc * sb + ca * cb;
      break;
    case YXZ:
      m[0][0] = cb * cc + sb * sa * sc;
      m[0][1] = -(cb * sc) + sb * sa * cc;
      m[0][2] = sb * ca;
      m[1][0] = ca * sc;
      m[1][1] = ca * cc;
      m[1][2] = -(sa);
      m[2][0] = -(sb * cc) + cb * sa * sc;
      m[2][1] = sb * sc + cb * sa * cc;
      m[2][2] = cb * ca;
      break;
    case YZX:
      m[0][0] = cb * cc;
      m[0][1] = -(cb * sc * ca) + sb * sa;
      m[0][2] = cb * sc * sa + sb * ca;
      m[1][0] = sc;
      m[1][1] = cc * ca;
      m[1][2] = -(cc * sa);
      m[2][0] = -(sb * cc);
      m[2][1] = sb * sc * ca + cb * sa;
      m[2][2] = -(sb * sc * sa) + cb * ca;
      break;
    case ZXY:
      m[0][0] = cc * cb - sc * sa * sb;
      m[0][1] = -(sc * ca);
      m[0][2] = cc * sb + sc * sa * cb;
      m[1][0] = sc * cb + cc * sa * sb;
      m[1][1] = cc * ca;
      m[1][2] = sc * sb - cc * sa * cb;
      m[2][0] = -(ca * sb);
      m[2][1] = sa;
      m[2][2] = ca * cb;
      break;
    case ZYX:
      m[0][0] = cc * cb;
      m[0][1] = cc * sb * sa - sc * ca;
      m[0][2] = cc * sb * ca + sc * sa;
      m[1][0] = sc * cb;
      m[1][1] = sc * sb * sa + cc * ca;
      m[1][2] = sc * sb * ca - cc * sa;
      m[2][0] = -(sb);
      m[2][1] = cb * sa;
      m[2][2] = cb * ca;
      break;
    default:
      break;
  }
}

// The one table from a row-vector matrix r (r[k] = m[k/3][k%3]) to the Euler triple; the middle
// factor's angle comes from asin (unclamped). Writes nothing for an invalid order.
void eulerOfRowMatrix(const double (*m)[3], ChannelOrderEuler order, double* a) {
  const double* r = &m[0][0];
  switch (order) {
    case XYZ:
      a[0] = zr_frame::atan2(-r[7], r[8]), a[1] = zr_frame::asin(r[6]), a[2] = zr_frame::atan2(-r[3], r[0]);
      break;
    case XZY:
      a[0] = zr_frame::atan2(r[5], r[4]), a[1] = zr_frame::atan2(r[6], r[0]), a[2] = zr_frame::asin(-r[3]);
      break;
    case YXZ:
      a[0] = zr_frame::asin(-r[7]), a[1] = zr_frame::atan2(r[6], r[8]), a[2] = zr_frame::atan2(r[1], r[4]);
      break;
    case YZX:
      a[0] = zr_frame::atan2(-r[7], r[4]), a[1] = zr_frame::atan2(-r[2], r[0]), a[2] = zr_frame::asin(r[1]);
      break;
    case ZXY:
      a[0] = zr_frame::asin(r[5]), a[1] = zr_frame::atan2(-r[2], r[8]), a[2] = zr_frame::atan2(-r[3], r[4]);
      break;
    case ZYX:
      a[0] = zr_frame::atan2(r[5], r[8]), a[1] = zr_frame::asin(-r[2]), a[2] = zr_frame::atan2(r[1], r[0]);
      break;
    default:
      break;
  }
}

void toDegrees(double* a) {
  for (int i = 0; i < 3; ++i) a[i] = a[i] * 180.0 / kPi;
}

}  // namespace

void mathCommon::euler2QuaRadian(double* const angles, ChannelOrderEuler order, QuaD& out) {
  double m[3][3];
  columnMatrixOfEuler(angles, order, m);
  out = detail::quaternionOfColumnMatrix(m);
}

void mathCommon::euler2QuaDegree(double* const angles, ChannelOrderEuler order, QuaD& out) {
  const double radians[3] = {(angles[0] / 180.0) * kPi, (angles[1] / 180.0) * kPi, (angles[2] / 180.0) * kPi};
  double m[3][3];
  columnMatrixOfEuler(radians, order, m);
  out = detail::quaternionOfColumnMatrix(m);
}

void mathCommon::rotm2EulRadian(double (*const m)[3], ChannelOrderEuler order, double* const angles) {
  eulerOfRowMatrix(m, order, angles);
}

void mathCommon::rotm2EulDegree(double (*const m)[3], ChannelOrderEuler order, double* const angles) {
  eulerOfRowMatrix(m, order, angles);
  toDegrees(angles);
}

void mathCommon::qua2EulRadian(QuaD q, ChannelOrderEuler order, double* const angles) {
  if (!validOrder(order)) return;
  double m[3][3];
  detail::rowMatrixOfUnit(detail::normalised(q), m);
  eulerOfRowMatrix(m, order, angles);
}

void mathCommon::qua2EulDegree(QuaD q, ChannelOrderEuler order, double* const angles) {
  qua2EulRadian(q, order, angles);
  toDegrees(angles);
}

}  // namespace ZR
