// Rotation (Rodrigues) vectors to and from column-vector-layout rotation matrices.

#include <cmath>

#include "frame/elementary_functions.h"
#include "zr/mathCommon.h"

namespace ZR {

void mathCommon::rotm2RodVector(double (*const m)[3], double* const v) {
  const double theta = zr_frame::acos((((m[1][1] + m[0][0]) + m[2][2]) - 1.0) * 0.5);
  const double k = 1.0 / (zr_frame::sin(theta) * 2.0);
  v[0] = ((m[2][1] - m[1][2]) * k) * theta;
  v[1] = ((m[0][2] - m[2][0]) * k) * theta;
  v[2] = ((m[1][0] - m[0][1]) * k) * theta;
}

void mathCommon::rodVector2Rotm(double* const v, double (*const m)[3]) {
  const double theta = std::sqrt((v[1] * v[1] + v[0] * v[0]) + v[2] * v[2]);
  const double nx = v[0] / theta, ny = v[1] / theta, nz = v[2] / theta;
  const double c = zr_frame::cos(theta), s = zr_frame::sin(theta), t = 1.0 - c;
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
