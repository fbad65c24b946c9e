// mathCommon's vector operations on arbitrary points and vectors.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "zr/mathCommon.h"

namespace {

ZR::Point3D point3(zrfuzz::Input& in) {
  const double x = in.real();
  const double y = in.real();
  return ZR::Point3D{x, y, in.real()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::mathCommon m;
  constexpr double kPi = 3.141592653589793;

  const std::vector<double> v = in.reals(64);
  const std::vector<double> copy = v;
  zrfuzz::guarded([&] {
    const double n1 = m.vectorNorm1(v);
    ZR_FUZZ_CHECK(!(n1 < 0.0));
    if (v.empty()) ZR_FUZZ_CHECK(zrfuzz::same(n1, 0.0));
  });
  ZR_FUZZ_CHECK(zrfuzz::same(v, copy));

  const float ax = in.real32();
  const float ay = in.real32();
  const float bx = in.real32();
  const float by = in.real32();
  const double d2 = m.eucDistancePoint22(ZR::Point2F{ax, ay}, ZR::Point2F{bx, by});
  ZR_FUZZ_CHECK(std::isnan(d2) || static_cast<double>(static_cast<float>(d2)) == d2);
  ZR_FUZZ_CHECK(!(d2 < 0.0));

  const ZR::Point3D a = point3(in);
  const ZR::Point3D b = point3(in);
  ZR_FUZZ_CHECK(!(m.eucDistancePoint33(a, b) < 0.0));
  ZR_FUZZ_CHECK(!(m.vector3Norm(a) < 0.0));
  ZR_FUZZ_CHECK(!(m.vector3NormSquare(a) < 0.0));

  ZR::Point3D out{1.0, 2.0, 3.0};
  m.vectorUnitize(a, out);
  if (m.vector3Norm(a) == 0.0) ZR_FUZZ_CHECK(out.x == 0.0 && out.y == 0.0 && out.z == 0.0);

  const double rad = m.vector3AngleRadian(a, b);
  ZR_FUZZ_CHECK(std::isnan(rad) || (rad >= 0.0 && rad <= kPi));
  const double deg = m.vector3AngleDegree(a, b);
  ZR_FUZZ_CHECK(std::isnan(deg) || (deg >= 0.0 && deg <= 180.0));
  ZR_FUZZ_CHECK(std::isnan(rad) == std::isnan(deg));

  const double c = m.cos3Vector(a, b);
  if (m.vector3Norm(a) == 0.0 || m.vector3Norm(b) == 0.0) ZR_FUZZ_CHECK(zrfuzz::same(c, 0.0));
  (void)m.dotProduct3(a, b);
  m.crossVector3(a, b, out);
  return 0;
}
