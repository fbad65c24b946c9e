#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "zr/mathCommon.h"

namespace {

using ZR::mathCommon;
using ZR::Point2F;
using ZR::Point3D;

constexpr double kPi = 3.141592653589793;

TEST(VectorOps, SinglePrecisionDistance) {
  mathCommon m;
  EXPECT_EQ(m.eucDistancePoint22({0.0f, 0.0f}, {3.0f, 4.0f}), 5.0);
  const double d = m.eucDistancePoint22({0.1f, 0.2f}, {0.3f, 0.7f});
  EXPECT_EQ(d, 0.5385165214538574);
  EXPECT_EQ(d, static_cast<double>(static_cast<float>(d)));
  EXPECT_EQ(m.eucDistancePoint22({0.0f, 0.0f}, {3e38f, 3e38f}), std::numeric_limits<double>::infinity());
}

TEST(VectorOps, NormsAndDistance) {
  mathCommon m;
  EXPECT_EQ(m.vectorNorm1({1.1, -2.2, 3.3}), 6.600000023841858);
  EXPECT_EQ(m.vectorNorm1({}), 0.0);
  EXPECT_EQ(m.vectorNorm1({1e300}), std::numeric_limits<double>::infinity());
  EXPECT_EQ(m.vectorNorm1({1e-50, -1e-46}), 0.0);
  // (y² + x²) + z² in that order: with these values the other order rounds differently.
  const Point3D v{1e-3, 1.0, 1e16};
  EXPECT_EQ(m.vector3NormSquare(v), (v.y * v.y + v.x * v.x) + v.z * v.z);
  EXPECT_EQ(m.vector3Norm({0.0, 3.0, 4.0}), 5.0);
  EXPECT_EQ(m.eucDistancePoint33({1.0, 2.0, 3.0}, {1.0, 5.0, 7.0}), 5.0);
}

TEST(VectorOps, Unitize) {
  mathCommon m;
  Point3D out{7.0, 7.0, 7.0};
  m.vectorUnitize({0.0, 0.0, 0.0}, out);
  EXPECT_EQ(out.x, 0.0);
  EXPECT_EQ(out.y, 0.0);
  EXPECT_EQ(out.z, 0.0);
  m.vectorUnitize({0.0, 3.0, 4.0}, out);
  EXPECT_EQ(out.x, 0.0);
  EXPECT_EQ(out.y, 0.6);
  EXPECT_EQ(out.z, 0.8);
}

TEST(VectorOps, AngleClampsButCosineDoesNot) {
  mathCommon m;
  const Point3D a{0.3, 0.7, 1.1};
  EXPECT_EQ(m.vector3AngleRadian(a, a), 0.0);
  EXPECT_EQ(m.vector3AngleDegree(a, a), 0.0);
  EXPECT_EQ(m.cos3Vector(a, a), 1.0000000000000002);
  EXPECT_EQ(m.vector3AngleRadian({1.0, 0.0, 0.0}, {-2.0, 0.0, 0.0}), kPi);
  EXPECT_EQ(m.vector3AngleDegree({1.0, 0.0, 0.0}, {-2.0, 0.0, 0.0}), 180.0);
  EXPECT_EQ(m.vector3AngleDegree({1.0, 0.0, 0.0}, {0.0, 5.0, 0.0}), std::acos(0.0) * 180.0 / kPi);
  EXPECT_TRUE(std::isnan(m.vector3AngleRadian({0.0, 0.0, 0.0}, {1.0, 0.0, 0.0})));
  EXPECT_TRUE(std::isnan(m.vector3AngleDegree({1.0, 0.0, 0.0}, {0.0, 0.0, 0.0})));
  EXPECT_EQ(m.cos3Vector({0.0, 0.0, 0.0}, {1.0, 2.0, 3.0}), 0.0);
  EXPECT_EQ(m.cos3Vector({1.0, 2.0, 3.0}, {0.0, 0.0, 0.0}), 0.0);
}

TEST(VectorOps, DotAndCross) {
  mathCommon m;
  Point3D out{};
  m.crossVector3({1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, out);
  EXPECT_EQ(out.x, 0.0);
  EXPECT_EQ(out.y, 0.0);
  EXPECT_EQ(out.z, 1.0);
  const Point3D a{1.5, -2.0, 0.25}, b{-3.0, 4.0, 8.0};
  m.crossVector3(a, b, out);
  EXPECT_EQ(m.dotProduct3(out, a), 0.0);
  EXPECT_EQ(m.dotProduct3(out, b), 0.0);
  EXPECT_EQ(m.dotProduct3(a, b), (-8.0 + -4.5) + 2.0);
}

TEST(VectorOps, AnyInstanceServes) {
  const mathCommon original;
  mathCommon copy = original;
  const std::vector<double> v{1.0, -2.0};
  EXPECT_EQ(copy.vectorNorm1(v), mathCommon().vectorNorm1(v));
  EXPECT_EQ(mathCommon{}.dotProduct3({1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}), 32.0);
  EXPECT_EQ(v, (std::vector<double>{1.0, -2.0}));
}

}  // namespace
