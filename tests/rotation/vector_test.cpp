// 3-D vector helpers: values whose bits depend on the defined order and precision, and the
// decisions for zero vectors.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support.h"
#include "zr/mathCommon.h"

namespace {

using ZR::mathCommon;
using ZR::Point3D;

constexpr double kPi = 3.141592653589793;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(VectorOps, OrderAndPrecisionOfTheSums) {
  mathCommon m;
  // Differences, squares and their sum in float, the root in double, rounded to float.
  EXPECT_EQ(m.eucDistancePoint22({0.0f, 0.0f}, {3.0f, 4.0f}), 5.0);
  EXPECT_EQ(m.eucDistancePoint22({0.1f, 0.2f}, {0.3f, 0.7f}), 0.5385165214538574);
  EXPECT_EQ(m.eucDistancePoint22({0.0f, 0.0f}, {3e38f, 3e38f}), kInf);
  // Each element rounded to float, summed in double from index 0.
  EXPECT_EQ(m.vectorNorm1({1.1, -2.2, 3.3}), 6.600000023841858);
  EXPECT_TRUE(m.vectorNorm1({}) == 0.0 && m.vectorNorm1({1e300}) == kInf &&
              m.vectorNorm1({1e-50, -1e-46}) == 0.0);
  // (y² + x²) + z²: with these values the other orders round differently.
  const Point3D v{1e-3, 1.0, 1e16}, w{1e16, 1.0, 1e-3};
  EXPECT_EQ(m.vector3NormSquare(v), (v.y * v.y + v.x * v.x) + v.z * v.z);
  EXPECT_EQ(m.dotProduct3(v, w), (v.y * w.y + v.x * w.x) + v.z * w.z);
  EXPECT_TRUE(m.vector3Norm({0.0, 3.0, 4.0}) == 5.0 &&
              m.eucDistancePoint33({1.0, 2.0, 3.0}, {4.0, 2.0, -1.0}) == 5.0);
}

TEST(VectorOps, UnitizeCrossAndAngles) {
  mathCommon m;
  Point3D out{7.0, 7.0, 7.0};
  m.vectorUnitize({0.0, 0.0, 0.0}, out);
  EXPECT_TRUE(out.x == 0.0 && out.y == 0.0 && out.z == 0.0);
  m.vectorUnitize({0.0, 3.0, 4.0}, out);
  EXPECT_TRUE(out.x == 0.0 && out.y == 0.6 && out.z == 0.8);
  m.crossVector3({1.5, -2.0, 0.25}, {-3.0, 4.0, 8.0}, out);
  EXPECT_TRUE(out.x == -17.0 && out.y == -12.75 && out.z == 0.0);
  // The cosine is not clamped, the angle is; a zero vector gives cosine 0 but angle NaN.
  const Point3D a{0.3, 0.7, 1.1};
  EXPECT_EQ(m.cos3Vector(a, a), 1.0000000000000002);
  EXPECT_TRUE(m.vector3AngleRadian(a, a) == 0.0 && m.vector3AngleDegree(a, a) == 0.0);
  EXPECT_EQ(m.vector3AngleRadian({1.0, 0.0, 0.0}, {-2.0, 0.0, 0.0}), kPi);
  EXPECT_EQ(m.vector3AngleDegree({1.0, 0.0, 0.0}, {-2.0, 0.0, 0.0}), 180.0);
  EXPECT_EQ(m.vector3AngleDegree({1.0, 0.0, 0.0}, {0.0, 5.0, 0.0}), std::acos(0.0) * 180.0 / kPi);
  EXPECT_TRUE(std::isnan(m.vector3AngleRadian({0.0, 0.0, 0.0}, {1.0, 0.0, 0.0})));
  EXPECT_TRUE(std::isnan(m.vector3AngleDegree({1.0, 0.0, 0.0}, {0.0, 0.0, 0.0})));
  EXPECT_TRUE(m.cos3Vector({0.0, 0.0, 0.0}, {1.0, 2.0, 3.0}) == 0.0 &&
              m.cos3Vector({1.0, 2.0, 3.0}, {0, 0, 0}) == 0.0);
}

}  // namespace
