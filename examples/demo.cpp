// The orientation round trip: Euler angles (degrees, order ZYX) -> quaternion -> composed with a
// second rotation -> a point rotated by it -> row-vector rotation matrix -> Euler angles again.

#include <cstdio>

#include "zr/zr.h"

namespace {

void printQua(const char* label, const ZR::QuaD& q) {
  std::printf("%-34s (w %.17g, x %.17g, y %.17g, z %.17g)\n", label, q.w, q.x, q.y, q.z);
}

void printAngles(const char* label, const double* a) {
  std::printf("%-34s (x %.17g, y %.17g, z %.17g) degrees\n", label, a[0], a[1], a[2]);
}

}  // namespace

int main() {
  ZR::mathCommon m;

  double yawPitchRoll[3] = {10.0, 20.0, 30.0};  // about x, y, z; composed as Rz·Ry·Rx
  printAngles("Euler angles in, order ZYX:", yawPitchRoll);

  ZR::QuaD q{};
  m.euler2QuaDegree(yawPitchRoll, ZR::ZYX, q);
  printQua("euler2QuaDegree:", q);

  double axis[3] = {0.0, 0.0, 1.0};
  ZR::QuaD turn{}, composed{};
  m.theatAngle2Qua(3.141592653589793 / 4, axis, turn);  // 45 degrees about z
  printQua("second rotation (45 deg about z):", turn);
  m.quaMulti(turn, q, composed);
  printQua("quaMulti(second, first):", composed);

  ZR::Point3D p{1.0, 0.0, 0.0}, rotated{};
  m.quaRotatePoint(composed, p, rotated);
  std::printf("%-34s (%.17g, %.17g, %.17g)\n", "quaRotatePoint of (1, 0, 0):", rotated.x, rotated.y,
              rotated.z);

  double r[3][3];
  m.qua2RMatrix(composed, r);
  std::printf("qua2RMatrix (row-vector layout):\n");
  for (const auto& row : r) std::printf("    [% .17f % .17f % .17f]\n", row[0], row[1], row[2]);
  std::printf("(row 0 is the rotated (1, 0, 0): the row-vector layout holds A's columns as rows)\n");

  double back[3];
  m.rotm2EulDegree(r, ZR::ZYX, back);
  printAngles("rotm2EulDegree, order ZYX:", back);
  std::printf("(z grew by 45 degrees; x and y are unchanged up to rounding)\n");
  return 0;
}
