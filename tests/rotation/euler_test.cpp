#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "rotation_test_util.h"
#include "zr/mathCommon.h"

namespace {

using ZR::ChannelOrderEuler;
using ZR::mathCommon;
using ZR::QuaD;
using zrtest::bits;

constexpr double kPi = 3.141592653589793;
const ChannelOrderEuler kOrders[] = {ZR::XYZ, ZR::XZY, ZR::YXZ, ZR::YZX, ZR::ZXY, ZR::ZYX};

// The Hamilton product of the elementary quaternions in the order's letter sequence.
QuaD elementaryProduct(const double* a, ChannelOrderEuler order) {
  const QuaD qx{std::cos(a[0] / 2), std::sin(a[0] / 2), 0, 0};
  const QuaD qy{std::cos(a[1] / 2), 0, std::sin(a[1] / 2), 0};
  const QuaD qz{std::cos(a[2] / 2), 0, 0, std::sin(a[2] / 2)};
  using zrtest::hamilton;
  switch (order) {
    case ZR::XYZ: return hamilton(hamilton(qx, qy), qz);
    case ZR::XZY: return hamilton(hamilton(qx, qz), qy);
    case ZR::YXZ: return hamilton(hamilton(qy, qx), qz);
    case ZR::YZX: return hamilton(hamilton(qy, qz), qx);
    case ZR::ZXY: return hamilton(hamilton(qz, qx), qy);
    default: return hamilton(hamilton(qz, qy), qx);
  }
}

// Near the branch threshold of the matrix-to-quaternion step (1 + trace close to 1e-8) the step
// divides by small roots, so agreement with the product is to about 1e-12, not to the last bit.
TEST(Euler, MatchesElementaryProductsInEveryOrder) {
  mathCommon m;
  std::mt19937_64 g(11);
  for (const ChannelOrderEuler o : kOrders) {
    for (int trial = 0; trial < 300; ++trial) {
      double a[3] = {zrtest::uniform(g, -3, 3), zrtest::uniform(g, -3, 3), zrtest::uniform(g, -3, 3)};
      QuaD q{};
      m.euler2QuaRadian(a, o, q);
      EXPECT_LT(zrtest::distanceUpToSign(q, elementaryProduct(a, o)), 1e-11) << o;
    }
  }
  // The two orders of the same triple describe different rotations.
  double t[3] = {0.1, 0.2, 0.3};
  QuaD xyz{}, zyx{};
  m.euler2QuaRadian(t, ZR::XYZ, xyz);
  m.euler2QuaRadian(t, ZR::ZYX, zyx);
  EXPECT_GT(zrtest::distanceUpToSign(xyz, zyx), 0.01);
}

TEST(Euler, RoundTripsThroughQuaternionAndMatrix) {
  mathCommon m;
  std::mt19937_64 g(5);
  for (const ChannelOrderEuler o : kOrders) {
    for (int trial = 0; trial < 500; ++trial) {
      double t[3], d[3];
      for (int k = 0; k < 3; ++k) {
        t[k] = zrtest::uniform(g, -kPi / 2 + 1e-6, kPi / 2 - 1e-6);
        d[k] = t[k] * 180.0 / kPi;
      }
      QuaD q{};
      m.euler2QuaRadian(t, o, q);
      double viaQua[3], viaMat[3], r[3][3];
      m.qua2EulRadian(q, o, viaQua);
      m.qua2RMatrix(q, r);
      m.rotm2EulRadian(r, o, viaMat);
      for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(viaQua[k], t[k], 1e-9) << o;
        // One table of formulas serves both paths: the bits agree.
        EXPECT_EQ(bits(viaQua[k]), bits(viaMat[k])) << o;
      }
      QuaD qd{};
      m.euler2QuaDegree(d, o, qd);
      double degQua[3], degMat[3];
      m.qua2EulDegree(qd, o, degQua);
      m.qua2RMatrix(qd, r);
      m.rotm2EulDegree(r, o, degMat);
      for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(degQua[k], d[k], 1e-9) << o;
        EXPECT_EQ(bits(degQua[k]), bits(degMat[k])) << o;
      }
    }
  }
}

TEST(Euler, DegreeInputIsConvertedAndLeftUnchanged) {
  mathCommon m;
  for (const ChannelOrderEuler o : kOrders) {
    double half[3] = {180, 0, 0};
    QuaD q{};
    m.euler2QuaDegree(half, o, q);
    EXPECT_EQ(q.x, 1.0);
    EXPECT_EQ(q.y, 0.0);
    EXPECT_EQ(q.z, 0.0);
    EXPECT_LT(std::fabs(q.w), 1e-16);
    EXPECT_EQ(half[0], 180.0);
    double zero[3] = {0, 0, 0};
    m.euler2QuaDegree(zero, o, q);
    EXPECT_EQ(q.w, 1.0);
    EXPECT_EQ(q.x, 0.0);
  }
  // Degrees go in as (d / 180)·π.
  double d[3] = {30, -45, 60}, r[3] = {(30 / 180.0) * kPi, (-45 / 180.0) * kPi, (60 / 180.0) * kPi};
  QuaD qd{}, qr{};
  m.euler2QuaDegree(d, ZR::YZX, qd);
  m.euler2QuaRadian(r, ZR::YZX, qr);
  EXPECT_EQ(bits(qd.w), bits(qr.w));
  EXPECT_EQ(bits(qd.z), bits(qr.z));
}

TEST(Euler, InvalidOrders) {
  mathCommon m;
  for (const int raw : {-1, 6, 7, 2147483647, -2147483647 - 1}) {
    const auto o = static_cast<ChannelOrderEuler>(raw);
    double t[3] = {0.4, 0.5, 0.6};
    QuaD q{9, 9, 9, 9};
    m.euler2QuaRadian(t, o, q);
    EXPECT_EQ(q.w, 1.0);
    EXPECT_EQ(q.x, 0.0);
    EXPECT_EQ(q.y, 0.0);
    EXPECT_EQ(q.z, 0.0);
    m.euler2QuaDegree(t, o, q);
    EXPECT_EQ(q.w, 1.0);

    double r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    double a[3] = {1, 2, 3};
    m.rotm2EulRadian(r, o, a);
    m.qua2EulRadian({0.5, 0.5, 0.5, 0.5}, o, a);
    EXPECT_EQ(a[0], 1.0);
    EXPECT_EQ(a[1], 2.0);
    EXPECT_EQ(a[2], 3.0);
    m.rotm2EulDegree(r, o, a);
    EXPECT_EQ(a[0], 57.29577951308232);
    EXPECT_EQ(a[1], 2 * 180.0 / kPi);
    EXPECT_EQ(a[2], 3 * 180.0 / kPi);
    double b[3] = {1, 2, 3};
    m.qua2EulDegree({1, 0, 0, 0}, o, b);
    EXPECT_EQ(b[0], 57.29577951308232);
  }
}

TEST(Euler, DegenerateInputs) {
  mathCommon m;
  for (const ChannelOrderEuler o : kOrders) {
    double a[3] = {7, 7, 7};
    m.qua2EulRadian({0, 0, 0, 0}, o, a);
    for (const double v : a) EXPECT_EQ(v, 0.0) << o;  // -0.0 compares equal too
  }
  double r[3][3] = {{1, 0, 0}, {0, 1, 0}, {1.0000000001, 0, 1}};
  double a[3];
  m.rotm2EulRadian(r, ZR::XYZ, a);
  EXPECT_TRUE(std::isnan(a[1]));
  // A rotation about x only: the XYZ table reads atan2(−r7, r8).
  QuaD q{std::cos(0.25), std::sin(0.25), 0, 0};
  m.qua2EulRadian(q, ZR::XYZ, a);
  EXPECT_NEAR(a[0], 0.5, 1e-15);
  EXPECT_EQ(a[1], 0.0);
  EXPECT_EQ(a[2], 0.0);
}

}  // namespace
