// Quaternion algebra, the branches of the matrix-to-quaternion step and the angle-axis forms: exact
// values from the definitions. Against Eigen on random rotations and half-turns about many axes
// (every branch of the matrix-to-quaternion step): singular_test.cpp.

#include <gtest/gtest.h>

#include <cmath>

#include "support.h"
#include "zr/mathCommon.h"

namespace {

using ZR::mathCommon;
using ZR::QuaD;
using zrtest::bits;

void expectQua(const QuaD& q, double w, double x, double y, double z) {
  EXPECT_TRUE(bits(q.w) == bits(w) && bits(q.x) == bits(x) && bits(q.y) == bits(y) && bits(q.z) == bits(z))
      << q.w << " " << q.x << " " << q.y << " " << q.z;
}

TEST(Quaternion, ConjugateProductNormaliseInverse) {
  mathCommon m;
  QuaD out{};
  m.quaConju({1, 0, 0, 0}, out);
  expectQua(out, 1.0, -0.0, -0.0, -0.0);
  m.quaConjugate({1, 2, -3, 0}, out);
  expectQua(out, 1.0, -2.0, 3.0, -0.0);
  m.quaMulti({1, 2, 3, 4}, {5, 6, 7, 8}, out);
  expectQua(out, -60.0, 12.0, 30.0, 24.0);
  m.quaIdentity({0, 0, 0, 0}, out);
  expectQua(out, 1.0, 0.0, 0.0, 0.0);
  m.quaIdentity({1, 2, 3, 4}, out);
  const double n = std::sqrt(30.0);
  expectQua(out, 1 / n, 2 / n, 3 / n, 4 / n);
  m.quaInv({2, 0, 0, 0}, out);
  expectQua(out, 1.0, -0.0, -0.0, -0.0);
  m.quaInv({0, 0, 0, 0}, out);
  EXPECT_TRUE(std::isnan(out.w) && std::isnan(out.x) && std::isnan(out.y) && std::isnan(out.z));
}

TEST(Quaternion, MatrixToQuaternionExactValues) {
  mathCommon m;
  QuaD out{};
  double id[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, halfX[3][3] = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}},
         r[3][3];
  for (const QuaD q : {QuaD{0, 0, 0, 0}, QuaD{2, 0, 0, 0}}) {  // zero counts as the identity
    m.qua2RMatrix(q, r);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) EXPECT_EQ(r[i][j], i == j ? 1.0 : 0.0);
  }
  m.rotation2Qua(out, id);
  expectQua(out, 1.0, 0.0, 0.0, 0.0);
  m.rotation2Qua(out, halfX);
  expectQua(out, 0.0, 1.0, 0.0, 0.0);
  double bad[3][3] = {{NAN, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // NaN ends in the last branch
  m.rotation2Qua(out, bad);
  EXPECT_TRUE(std::isnan(out.w));
}

// The angle is acos(w)·2 and the axis (x, y, z)/sin(angle/2): zero at the identity, NaN past
// |w| = 1. theatAngle2Qua uses the axis as it stands. quaMat2AngleAxis reads the column-vector layout.
TEST(Quaternion, AngleAxisForms) {
  mathCommon m;
  double angle = -1, axis[3] = {9, 9, 9};
  m.qua2AngleAxis({1, 0, 0, 0}, angle, axis);
  EXPECT_TRUE(angle == 0.0 && axis[0] == 0.0 && axis[1] == 0.0 && axis[2] == 0.0);
  m.qua2AngleAxis({std::cos(0.5), 0, std::sin(0.5), 0}, angle, axis);
  EXPECT_TRUE(std::fabs(angle - 1.0) < 1e-15 && axis[0] == 0.0 && std::fabs(axis[1] - 1.0) < 1e-15);
  m.qua2AngleAxis({1.5, 0, 0, 0}, angle, axis);
  EXPECT_TRUE(std::isnan(angle) && std::isnan(axis[0]));
  QuaD out{};
  double ax[3] = {0, 0, 2};
  m.theatAngle2Qua(3.141592653589793, ax, out);
  expectQua(out, std::cos(3.141592653589793 / 2), 0.0, 0.0, 2.0);
  double ry[3][3] = {{std::cos(0.7), 0, std::sin(0.7)}, {0, 1, 0}, {-std::sin(0.7), 0, std::cos(0.7)}};
  m.quaMat2AngleAxis(ry, angle, axis);
  EXPECT_TRUE(std::fabs(angle - 0.7) < 1e-15 && axis[0] == 0.0 && std::fabs(axis[1] - 1.0) < 1e-15);
  double id[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, notRotation[3][3] = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}};
  m.quaMat2AngleAxis(id, angle, axis);
  EXPECT_TRUE(angle == 0.0 && axis[1] == 0.0);
  m.quaMat2AngleAxis(notRotation, angle, axis);
  EXPECT_TRUE(std::isnan(angle));
}

}  // namespace
