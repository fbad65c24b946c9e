// A first look at zr: a few 3-D vector operations and the precision they are formed in.

#include <cstdio>

#include "zr/zr.h"

int main() {
  ZR::mathCommon m;
  const ZR::Point3D a{0.3, 0.7, 1.1};
  const ZR::Point3D b{1.0, 0.0, 0.0};
  ZR::Point3D n{};
  m.crossVector3(a, b, n);
  std::printf("a = (%.17g, %.17g, %.17g), b = (%.17g, %.17g, %.17g)\n", a.x, a.y, a.z, b.x, b.y, b.z);
  std::printf("|a|             = %.17g\n", m.vector3Norm(a));
  std::printf("a . b           = %.17g\n", m.dotProduct3(a, b));
  std::printf("a x b           = (%.17g, %.17g, %.17g)\n", n.x, n.y, n.z);
  std::printf("angle(a, b)     = %.17g degrees\n", m.vector3AngleDegree(a, b));
  std::printf("cos(a, a)       = %.17g (unclamped)\n", m.cos3Vector(a, a));
  std::printf("angle(a, a)     = %.17g (clamped)\n", m.vector3AngleRadian(a, a));
  std::printf("float distance  = %.17g\n", m.eucDistancePoint22({0.1f, 0.2f}, {0.3f, 0.7f}));
  return 0;
}
