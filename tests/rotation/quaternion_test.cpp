#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "rotation_test_util.h"
#include "zr/mathCommon.h"

namespace {

using ZR::mathCommon;
using ZR::QuaD;
using zrtest::bits;

const double kNegZero = -0.0;

void expectQua(const QuaD& q, double w, double x, double y, double z) {
  EXPECT_EQ(bits(q.w), bits(w));
  EXPECT_EQ(bits(q.x), bits(x));
  EXPECT_EQ(bits(q.y), bits(y));
  EXPECT_EQ(bits(q.z), bits(z));
}

TEST(Quaternion, ConjugateProductNormaliseInverse) {
  mathCommon m;
  QuaD out{};
  m.quaConju({1, 0, 0, 0}, out);
  expectQua(out, 1.0, kNegZero, kNegZero, kNegZero);
  m.quaConjugate({1, 2, -3, 0}, out);
  expectQua(out, 1.0, -2.0, 3.0, kNegZero);

  m.quaMulti({1, 2, 3, 4}, {5, 6, 7, 8}, out);
  expectQua(out, -60.0, 12.0, 30.0, 24.0);
  const QuaD a{0.5, 0.5, 0.5, 0.5};
  m.quaMulti(a, a, out);
  EXPECT_EQ(out.w, 2 * a.w * a.w - 1);

  m.quaIdentity({0, 0, 0, 0}, out);
  expectQua(out, 1.0, 0.0, 0.0, 0.0);
  m.quaIdentity({1, 2, 3, 4}, out);
  const double n = std::sqrt(30.0);
  expectQua(out, 1 / n, 2 / n, 3 / n, 4 / n);

  m.quaInv({2, 0, 0, 0}, out);
  expectQua(out, 1.0, kNegZero, kNegZero, kNegZero);
  m.quaInv({0, 0, 0, 0}, out);
  EXPECT_TRUE(std::isnan(out.w) && std::isnan(out.x) && std::isnan(out.y) && std::isnan(out.z));
}

TEST(Quaternion, MatrixOfQuaternionIsRowVectorLayout) {
  mathCommon m;
  double r[3][3];
  for (const QuaD q : {QuaD{0, 0, 0, 0}, QuaD{2, 0, 0, 0}}) {
    m.qua2RMatrix(q, r);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) EXPECT_EQ(r[i][j], i == j ? 1.0 : 0.0);
  }
  // About z by +0.3: row 0 of the row-vector layout is (cos 0.3, sin 0.3, 0) up to rounding of
  // the doubled-component formulas.
  const QuaD qz{std::cos(0.15), 0, 0, std::sin(0.15)};
  m.qua2RMatrix(qz, r);
  EXPECT_NEAR(r[0][0], std::cos(0.3), 1e-15);
  EXPECT_NEAR(r[0][1], std::sin(0.3), 1e-15);
  EXPECT_EQ(r[0][2], 0.0);
  EXPECT_NEAR(r[1][0], -std::sin(0.3), 1e-15);
}

TEST(Quaternion, MatrixToQuaternionBranches) {
  mathCommon m;
  QuaD out{};
  double id[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  m.rotation2Qua(out, id);
  expectQua(out, 1.0, 0.0, 0.0, 0.0);
  double halfX[3][3] = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
  m.rotation2Qua(out, halfX);
  expectQua(out, 0.0, 1.0, 0.0, 0.0);
  // Half-turns about skew axes: 2·n·nᵀ − I is symmetric, so the layout does not matter.
  const double s14 = std::sqrt(14.0);
  struct Case {
    double n[3];
  };
  for (const Case c : {Case{{3 / s14, 1 / s14, 2 / s14}}, Case{{1 / s14, 2 / s14, 3 / s14}},
                       Case{{1 / s14, 3 / s14, 2 / s14}}}) {
    double h[3][3];
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) h[i][j] = 2 * c.n[i] * c.n[j] - (i == j ? 1.0 : 0.0);
    m.rotation2Qua(out, h);
    EXPECT_EQ(out.w, 0.0);
    EXPECT_NEAR(out.x, c.n[0], 1e-15);
    EXPECT_NEAR(out.y, c.n[1], 1e-15);
    EXPECT_NEAR(out.z, c.n[2], 1e-15);
  }
  // The matrix is only read; NaN ends in the last branch and stays NaN.
  double bad[3][3] = {{NAN, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  m.rotation2Qua(out, bad);
  EXPECT_TRUE(std::isnan(out.w));
  EXPECT_TRUE(std::isnan(bad[0][0]));
  EXPECT_EQ(bad[1][1], 1.0);
}

TEST(Quaternion, RowMatrixRoundTripGivesQuaternionBackUpToSign) {
  mathCommon m;
  std::mt19937_64 g(7);
  for (int trial = 0; trial < 2000; ++trial) {
    const QuaD q{zrtest::uniform(g, -2, 2), zrtest::uniform(g, -2, 2), zrtest::uniform(g, -2, 2),
                 zrtest::uniform(g, -2, 2)};
    QuaD unit{}, back{};
    m.quaIdentity(q, unit);
    double r[3][3];
    m.qua2RMatrix(q, r);
    m.rotation2Qua(back, r);
    EXPECT_LT(zrtest::distanceUpToSign(unit, back), 1e-11) << trial;
  }
}

TEST(Quaternion, AngleAxisForms) {
  mathCommon m;
  double angle = -1, axis[3] = {9, 9, 9};
  m.qua2AngleAxis({1, 0, 0, 0}, angle, axis);
  EXPECT_EQ(angle, 0.0);
  EXPECT_EQ(axis[0], 0.0);
  EXPECT_EQ(axis[1], 0.0);
  EXPECT_EQ(axis[2], 0.0);
  m.qua2AngleAxis({std::cos(0.5), std::sin(0.5), 0, 0}, angle, axis);
  EXPECT_NEAR(angle, 1.0, 1e-15);
  EXPECT_NEAR(axis[0], 1.0, 1e-15);
  EXPECT_EQ(axis[1], 0.0);
  m.qua2AngleAxis({1.5, 0, 0, 0}, angle, axis);
  EXPECT_TRUE(std::isnan(angle));
  EXPECT_TRUE(std::isnan(axis[0]));

  QuaD out{};
  double ax[3] = {0, 0, 2};
  const double pi = 3.141592653589793;
  m.theatAngle2Qua(pi, ax, out);
  expectQua(out, std::cos(pi / 2), 0.0, 0.0, 2.0);

  // Column-vector matrix of a rotation by 0.7 about y, and the identity's zero axis.
  double ry[3][3] = {{std::cos(0.7), 0, std::sin(0.7)}, {0, 1, 0}, {-std::sin(0.7), 0, std::cos(0.7)}};
  m.quaMat2AngleAxis(ry, angle, axis);
  EXPECT_NEAR(angle, 0.7, 1e-15);
  EXPECT_NEAR(axis[1], 1.0, 1e-15);
  EXPECT_EQ(axis[0], 0.0);
  double id[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  m.quaMat2AngleAxis(id, angle, axis);
  EXPECT_EQ(angle, 0.0);
  EXPECT_EQ(axis[1], 0.0);
  double notRotation[3][3] = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}};
  m.quaMat2AngleAxis(notRotation, angle, axis);
  EXPECT_TRUE(std::isnan(angle));
}

}  // namespace
