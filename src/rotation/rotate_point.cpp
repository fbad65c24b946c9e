// Rotating a point by a quaternion.

#include <cmath>

#include "rotation/rotation_detail.h"
#include "zr/mathCommon.h"

namespace ZR {

void mathCommon::quaRotatePoint(QuaD q, Point3D p, Point3D& out) {
  if (std::sqrt(((q.x * q.x + q.w * q.w) + q.y * q.y) + q.z * q.z) == 0.0) {
    out = p;
    return;
  }
  // Row i of the column-vector matrix A is column i of the row-vector matrix qua2RMatrix writes;
  // each coordinate is the dot product (A[i][1]·p.y + A[i][0]·p.x) + A[i][2]·p.z.
  double m[3][3];
  detail::rowMatrixOfUnit(detail::normalised(q), m);
  out = Point3D{(m[1][0] * p.y + m[0][0] * p.x) + m[2][0] * p.z,  //
                (m[1][1] * p.y + m[0][1] * p.x) + m[2][1] * p.z,  //
                (m[1][2] * p.y + m[0][2] * p.x) + m[2][2] * p.z};
}

}  // namespace ZR
