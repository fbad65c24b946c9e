// mathCommon's quaternion, rotation-matrix, Euler and rotation-vector conversions on any values
// and, for the Euler conversions, any int as the channel order. Every array is allocated with
// exactly the 3 or 9 doubles the operation may touch, so AddressSanitizer catches any access past it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_support.h"
#include "zr/mathCommon.h"

namespace {

constexpr double kPi = 3.141592653589793;

struct Vec3 {
  std::unique_ptr<double[]> v{new double[3]};
  double copy[3];
  explicit Vec3(zrfuzz::Input& in) {
    for (std::size_t i = 0; i < 3; ++i) v[i] = copy[i] = in.real();
  }
  bool unchanged() const {
    for (std::size_t i = 0; i < 3; ++i)
      if (!zrfuzz::same(v[i], copy[i])) return false;
    return true;
  }
};

struct Mat3 {
  std::unique_ptr<double[][3]> m{new double[3][3]};
  double copy[3][3];
  explicit Mat3(zrfuzz::Input& in) {
    for (std::size_t i = 0; i < 3; ++i)
      for (std::size_t j = 0; j < 3; ++j) m[i][j] = copy[i][j] = in.real();
  }
  bool unchanged() const {
    for (std::size_t i = 0; i < 3; ++i)
      for (std::size_t j = 0; j < 3; ++j)
        if (!zrfuzz::same(m[i][j], copy[i][j])) return false;
    return true;
  }
};

ZR::QuaD quaternion(zrfuzz::Input& in) {
  const double w = in.real();
  const double x = in.real();
  const double y = in.real();
  return ZR::QuaD{w, x, y, in.real()};
}

bool isIdentity(const ZR::QuaD& q) { return q.w == 1.0 && q.x == 0.0 && q.y == 0.0 && q.z == 0.0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::mathCommon mc;

  // Any int is a value of the order's underlying type.
  const std::int32_t rawOrder = in.byte() % 2 == 0 ? in.range(-1, 7) : in.int32();
  const auto order = static_cast<ZR::ChannelOrderEuler>(rawOrder);
  const bool validOrder = rawOrder >= 0 && rawOrder <= 5;

  const ZR::QuaD q = quaternion(in);
  const ZR::QuaD p = quaternion(in);
  ZR::QuaD out{};
  mc.quaConju(q, out);
  mc.quaConjugate(q, out);
  mc.quaMulti(q, p, out);
  mc.quaIdentity(q, out);
  mc.quaInv(q, out);

  {
    Mat3 m(in);
    mc.qua2RMatrix(q, m.m.get());
    Mat3 r(in);
    mc.rotation2Qua(out, r.m.get());
    ZR_FUZZ_CHECK(r.unchanged());
    double angle = 0.0;
    Vec3 axis(in);
    mc.quaMat2AngleAxis(r.m.get(), angle, axis.v.get());
    ZR_FUZZ_CHECK(r.unchanged());
    mc.qua2AngleAxis(q, angle, axis.v.get());
    Vec3 axis2(in);
    mc.theatAngle2Qua(in.real(), axis2.v.get(), out);
    ZR_FUZZ_CHECK(axis2.unchanged());
  }

  {
    Vec3 angles(in);
    bool finite = true;
    for (std::size_t i = 0; i < 3; ++i)
      finite = finite && std::isfinite(angles.v[i]) && std::fabs(angles.v[i]) < 1e6;
    ZR::QuaD e{};
    mc.euler2QuaRadian(angles.v.get(), order, e);
    ZR_FUZZ_CHECK(angles.unchanged());
    if (!validOrder) ZR_FUZZ_CHECK(isIdentity(e));
    if (validOrder && finite) {
      const double n = std::sqrt(e.w * e.w + e.x * e.x + e.y * e.y + e.z * e.z);
      ZR_FUZZ_CHECK(std::fabs(n - 1.0) < 1e-9);
    }
    mc.euler2QuaDegree(angles.v.get(), order, e);
    ZR_FUZZ_CHECK(angles.unchanged());
    if (!validOrder) ZR_FUZZ_CHECK(isIdentity(e));
  }

  {
    Vec3 angles(in);
    mc.qua2EulRadian(q, order, angles.v.get());
    if (!validOrder) ZR_FUZZ_CHECK(angles.unchanged());
    Vec3 degrees(in);
    mc.qua2EulDegree(q, order, degrees.v.get());
    if (!validOrder)
      for (std::size_t i = 0; i < 3; ++i)
        ZR_FUZZ_CHECK(zrfuzz::same(degrees.v[i], degrees.copy[i] * 180.0 / kPi));

    // qua2Eul* equal rotm2Eul* of the matrix qua2RMatrix writes, bit for bit.
    Mat3 written(in);
    mc.qua2RMatrix(q, written.m.get());
    Vec3 viaMatrix(in);
    for (std::size_t i = 0; i < 3; ++i) viaMatrix.v[i] = angles.v[i];
    mc.qua2EulRadian(q, order, angles.v.get());
    mc.rotm2EulRadian(written.m.get(), order, viaMatrix.v.get());
    for (std::size_t i = 0; i < 3; ++i) ZR_FUZZ_CHECK(zrfuzz::same(angles.v[i], viaMatrix.v[i]));

    Mat3 m(in);
    mc.rotm2EulRadian(m.m.get(), order, angles.v.get());
    ZR_FUZZ_CHECK(m.unchanged());
    Vec3 more(in);
    mc.rotm2EulRadian(m.m.get(), order, more.v.get());
    if (!validOrder) ZR_FUZZ_CHECK(more.unchanged());
    Vec3 deg2(in);
    mc.rotm2EulDegree(m.m.get(), order, deg2.v.get());
    ZR_FUZZ_CHECK(m.unchanged());
    if (!validOrder)
      for (std::size_t i = 0; i < 3; ++i) ZR_FUZZ_CHECK(zrfuzz::same(deg2.v[i], deg2.copy[i] * 180.0 / kPi));
  }

  {
    Mat3 m(in);
    Vec3 v(in);
    mc.rotm2RodVector(m.m.get(), v.v.get());
    ZR_FUZZ_CHECK(m.unchanged());
    Vec3 w(in);
    mc.rodVector2Rotm(w.v.get(), m.m.get());
    ZR_FUZZ_CHECK(w.unchanged());
  }
  return 0;
}
