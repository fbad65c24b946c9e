// The operations on fixed-size values and caller-supplied arrays must not touch the heap: this
// executable replaces the global operator new with a counting one and calls each of them.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "zr/zr.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t n) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}
// The array forms are replaced too: a sanitizer's runtime does not route them through operator new.
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

template <class F>
long allocationsOf(F&& f) {
  const long before = gAllocations.load();
  f();
  return gAllocations.load() - before;
}

TEST(NoAllocation, FixedSizeOperations) {
  ZR::mathCommon m;
  ZR::mathMatrix mm;
  ZR::foundationMath f;
  ZR::TrigonometricFunctionMath t;
  ZR::geometryMath g;
  volatile double sink = 0.0;
  const long n = allocationsOf([&] {
    const ZR::Point3D a{0.3, -1.2, 2.0}, b{1.0, 0.5, -0.25};
    ZR::Point3D v{};
    sink = m.eucDistancePoint22({1.0f, 2.0f}, {3.0f, -1.0f}) + m.eucDistancePoint33(a, b) + m.vector3Norm(a) +
           m.vector3NormSquare(a) + m.vector3AngleRadian(a, b) + m.vector3AngleDegree(a, b) +
           m.cos3Vector(a, b) + m.dotProduct3(a, b);
    m.vectorUnitize(a, v);
    m.crossVector3(a, b, v);
    ZR::QuaD q{0.9, 0.1, -0.3, 0.2}, p{0.5, 0.5, 0.5, 0.5}, r{};
    m.quaConju(q, r);
    m.quaConjugate(q, r);
    m.quaMulti(q, p, r);
    m.quaIdentity(q, r);
    m.quaInv(q, r);
    double rm[3][3], angles[3] = {0.1, 0.2, 0.3}, axis[3] = {0, 0, 1}, angle = 0.0;
    m.qua2RMatrix(q, rm);
    m.rotation2Qua(r, rm);
    m.quaMat2AngleAxis(rm, angle, axis);
    m.qua2AngleAxis(q, angle, axis);
    m.theatAngle2Qua(0.4, axis, r);
    for (int o = 0; o < 6; ++o) {
      const auto order = static_cast<ZR::ChannelOrderEuler>(o);
      m.euler2QuaDegree(angles, order, r);
      m.euler2QuaRadian(angles, order, r);
      m.qua2EulDegree(q, order, angles);
      m.qua2EulRadian(q, order, angles);
      m.rotm2EulDegree(rm, order, angles);
      m.rotm2EulRadian(rm, order, angles);
    }
    m.rotm2RodVector(rm, axis);
    m.rodVector2Rotm(axis, rm);

    double x[9] = {2, 1, 0, 1, 3, 1, 0, 1, 4}, y[9], z[9];
    mm.rotateMat(x, y, 3, 3);
    mm.matrixMulmats(x, y, z, 3, 3, 3);
    sink = mm.traceMat(z, 3);

    ZR::Point2D out{};
    f.cart2pol({1.0, 2.0}, out);
    f.pol2cart(out, out);
    g.circumCenter({0, 0}, {4, 0}, {1, 3}, out);
    g.inCenter({0, 0}, {4, 0}, {0, 3}, out);
    sink = f.rad2deg(1.0) + f.deg2rad(1.0) + f.angle(1.0, 2.0) + f.factorial(20) +
           static_cast<double>(f.rem(7, 3) + f.gcd(12, 18) + f.lcm(4, 6));
    sink = t.sin(0.5) + t.cos(0.5) + t.tand(30.0) + t.asin(0.5) + t.asind(0.5) + t.acsch(0.5) + t.sinh(0.5);
  });
  EXPECT_EQ(n, 0);
  (void)sink;
}

// The determinant and the inverse of small orders work in place.
TEST(NoAllocation, SmallDeterminantAndInverse) {
  ZR::mathMatrix mm;
  double a[16] = {4, 1, 0, 2, 1, 5, 1, 0, 0, 1, 6, 1, 2, 0, 1, 7};
  volatile double sink = 0.0;
  EXPECT_EQ(allocationsOf([&] { sink = mm.detMatrix(a, 4, 4); }), 0);
  EXPECT_EQ(allocationsOf([&] { mm.invMat(a, 4); }), 0);
  // The determinant's table of minors lives on the stack up to order 11, then takes one block.
  std::vector<double> big(144, 0.5);
  EXPECT_EQ(allocationsOf([&] { sink = mm.detMatrix(big.data(), 11, 11); }), 0);
  EXPECT_EQ(allocationsOf([&] { sink = mm.detMatrix(big.data(), 12, 12); }), 1);
  (void)sink;
}

}  // namespace
