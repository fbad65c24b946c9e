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
  double sa, ca, sb, cb, sc, cc;
  zr_frame::sinCos(t[0], sa, ca);
  zr_frame::sinCos(t[1], sb, cb);
  zr_frame::sinCos(t[2], sc, cc);
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

// The axes of an order: the left factor turns about axis i by θ1, the middle one about j by θ2,
// the right one about k by θ3; e is +1 when (i, j, k) is a cyclic turn of (x, y, z), else −1. In
// the column-vector layout A = R_i(θ1)·R_j(θ2)·R_k(θ3) then has A[i][k] = e·sin θ2,
// (A[i][i], −e·A[i][j]) = cos θ2·(cos θ3, sin θ3) and (A[k][k], −e·A[j][k]) = cos θ2·(cos θ1, sin θ1).
struct OrderAxes {
  int i, j, k;
  double e;
};
constexpr OrderAxes kOrderAxes[6] = {{0, 1, 2, 1.0},  {0, 2, 1, -1.0}, {1, 0, 2, -1.0},
                                     {1, 2, 0, 1.0},  {2, 0, 1, 1.0},  {2, 1, 0, -1.0}};

// Gimbal lock: within this distance of ±1 for the sine of the middle angle (middle angles within
// about 2.1e-5 of ±90°) the two outer angles, each read from a pair of elements of size
// cos θ2, lose about 1e-16/cos θ2 of accuracy each.
constexpr double kNearGimbalLock = 0x1p-32;
// At or below this cosine of the middle angle the orientation is taken as exactly singular
// (rounding only): the right factor's angle is set to 0.
constexpr double kAtGimbalLock = 0x1p-50;

// Near gimbal lock (m in the row-vector layout, so A[r][c] = m[c][r]). The middle angle comes from
// atan2(sin θ2, cos θ2) with the cosine from the pair of θ3, so it is right to the last bits even
// where asin would lose half of them (or give NaN past ±1). θ3 keeps the table's value (0 at the
// singularity); θ1 follows from the combination of the four remaining elements that stays well
// conditioned there, θ1 + θ3 when A[i][k] is near +1 and θ3 − θ1 when it is near −1:
//   e·(A[j][i] + A[k][j]) = (1 + A[i][k])·sin(θ1 + θ3),   A[j][j] − A[k][i] = (1 + A[i][k])·cos(θ1 + θ3)
//   e·(A[j][i] − A[k][j]) = (1 − A[i][k])·sin(θ3 − θ1),   A[j][j] + A[k][i] = (1 − A[i][k])·cos(θ3 − θ1)
// An error in θ3 then moves θ1 along the direction the rotation barely depends on.
void eulerNearGimbalLock(const double (*m)[3], const OrderAxes& x, double* a) {
  const int i = x.i, j = x.j, k = x.k;
  const double e = x.e;
  const double p = -e * m[j][i], q = m[i][i];  // cos θ2·(sin θ3, cos θ3)
  const double c2 = std::sqrt(p * p + q * q);
  const double t2 = zr_frame::atan2(e * m[k][i], c2);
  const double t3 = c2 <= kAtGimbalLock ? 0.0 : zr_frame::atan2(p, q);
  double t1;
  if (m[k][i] > 0.0)
    t1 = zr_frame::atan2(e * (m[i][j] + m[j][k]), m[j][j] - m[i][k]) - t3;
  else
    t1 = t3 - zr_frame::atan2(e * (m[i][j] - m[j][k]), m[j][j] + m[i][k]);
  if (t1 > kPi)
    t1 -= 2.0 * kPi;
  else if (t1 < -kPi)
    t1 += 2.0 * kPi;
  a[i] = t1, a[j] = t2, a[k] = t3;
}

// The one table from a row-vector matrix r (r[k] = m[k/3][k%3]) to the Euler triple; the middle
// factor's angle comes from asin, except near gimbal lock (above). Writes nothing for an invalid
// order.
void eulerOfRowMatrix(const double (*m)[3], ChannelOrderEuler order, double* a) {
  if (validOrder(order)) {
    const OrderAxes& x = kOrderAxes[order];
    const double s = std::fabs(m[x.k][x.i]);  // |sin θ2|, the asin argument up to sign
    if (s >= 1.0 - kNearGimbalLock && s <= 1.0 + detail::kRoundingSlack) {
      eulerNearGimbalLock(m, x, a);
      return;
    }
  }
  // The two atan2 of each order go together through atan2Pair (the same bits as two calls);
  // every element is read before any angle is written.
  const double* r = &m[0][0];
  double u, v, w;
  switch (order) {
    case XYZ:
      zr_frame::atan2Pair(-r[7], r[8], -r[3], r[0], u, v);
      w = zr_frame::asin(r[6]);
      a[0] = u, a[1] = w, a[2] = v;
      break;
    case XZY:
      zr_frame::atan2Pair(r[5], r[4], r[6], r[0], u, v);
      w = zr_frame::asin(-r[3]);
      a[0] = u, a[1] = v, a[2] = w;
      break;
    case YXZ:
      zr_frame::atan2Pair(r[6], r[8], r[1], r[4], u, v);
      w = zr_frame::asin(-r[7]);
      a[0] = w, a[1] = u, a[2] = v;
      break;
    case YZX:
      zr_frame::atan2Pair(-r[7], r[4], -r[2], r[0], u, v);
      w = zr_frame::asin(r[1]);
      a[0] = u, a[1] = v, a[2] = w;
      break;
    case ZXY:
      zr_frame::atan2Pair(-r[2], r[8], -r[3], r[4], u, v);
      w = zr_frame::asin(r[5]);
      a[0] = w, a[1] = u, a[2] = v;
      break;
    case ZYX:
      zr_frame::atan2Pair(r[5], r[8], r[1], r[0], u, v);
      w = zr_frame::asin(-r[2]);
      a[0] = u, a[1] = w, a[2] = v;
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
