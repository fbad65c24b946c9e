// Euler angles: the degree forms and the invalid orders. The six orders against Eigen's products of
// elementary rotations, round trips and gimbal lock: singular_test.cpp.

#include <gtest/gtest.h>

#include <cmath>

#include "support.h"
#include "zr/mathCommon.h"

namespace {

using ZR::ChannelOrderEuler;
using ZR::mathCommon;
using ZR::QuaD;
using zrtest::bits;

constexpr double kPi = 3.141592653589793;
const ChannelOrderEuler kOrders[] = {ZR::XYZ, ZR::XZY, ZR::YXZ, ZR::YZX, ZR::ZXY, ZR::ZYX};

TEST(Euler, DegreesGoInAsAFractionOfAHalfTurn) {
  mathCommon m;
  for (const ChannelOrderEuler o : kOrders) {
    double half[3] = {180, 0, 0};
    QuaD q{};
    m.euler2QuaDegree(half, o, q);
    EXPECT_TRUE(q.x == 1.0 && q.y == 0.0 && q.z == 0.0 && std::fabs(q.w) < 1e-16 && half[0] == 180.0) << o;
  }
  double d[3] = {30, -45, 60}, r[3] = {(30 / 180.0) * kPi, (-45 / 180.0) * kPi, (60 / 180.0) * kPi};
  QuaD qd{}, qr{};
  m.euler2QuaDegree(d, ZR::YZX, qd);
  m.euler2QuaRadian(r, ZR::YZX, qr);
  EXPECT_TRUE(bits(qd.w) == bits(qr.w) && bits(qd.x) == bits(qr.x) && bits(qd.z) == bits(qr.z));
  double out[3];
  m.qua2EulDegree(qr, ZR::YZX, out);
  EXPECT_NEAR(out[1], -45.0, 1e-12);
}

// An order outside the six: the identity quaternion, and the angles are not written (the degree
// read-backs scale what was there). A zero quaternion reads back as zeros; a sine past 1 is NaN.
TEST(Euler, InvalidOrdersAndDegenerateInputs) {
  mathCommon m;
  for (const int raw : {-1, 6, 2147483647, -2147483647 - 1}) {
    const auto o = static_cast<ChannelOrderEuler>(raw);
    double t[3] = {0.4, 0.5, 0.6}, r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, a[3] = {1, 2, 3};
    QuaD q{9, 9, 9, 9}, p{9, 9, 9, 9};
    m.euler2QuaRadian(t, o, q);
    m.euler2QuaDegree(t, o, p);
    EXPECT_TRUE(q.w == 1.0 && q.x == 0.0 && q.y == 0.0 && q.z == 0.0 && p.w == 1.0 && p.z == 0.0) << raw;
    m.rotm2EulRadian(r, o, a);
    m.qua2EulRadian({0.5, 0.5, 0.5, 0.5}, o, a);
    m.rotm2EulDegree(r, o, a);
    EXPECT_TRUE(a[0] == 57.29577951308232 && a[2] == 3 * 180.0 / kPi) << raw;
    m.qua2EulDegree({1, 0, 0, 0}, o, a);
    EXPECT_EQ(a[0], 57.29577951308232 * 180.0 / kPi) << raw;
  }
  for (const ChannelOrderEuler o : kOrders) {
    double a[3] = {7, 7, 7};
    m.qua2EulRadian({0, 0, 0, 0}, o, a);
    EXPECT_TRUE(a[0] == 0.0 && a[1] == 0.0 && a[2] == 0.0) << o;  // -0.0 compares equal too
  }
  double r[3][3] = {{1, 0, 0}, {0, 1, 0}, {1.0000000001, 0, 1}}, a[3];
  m.rotm2EulRadian(r, ZR::XYZ, a);
  EXPECT_TRUE(std::isnan(a[1]));
}

}  // namespace
