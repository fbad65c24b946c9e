#include <gtest/gtest.h>

#include <cmath>

#include "zr/mathCommon.h"

namespace {

using ZR::mathCommon;

TEST(Rodrigues, ColumnVectorLayoutAndRoundTrip) {
  mathCommon m;
  double v[3] = {0, 0, 0.3}, r[3][3];
  m.rodVector2Rotm(v, r);
  EXPECT_NEAR(r[0][0], std::cos(0.3), 1e-16);
  EXPECT_NEAR(r[0][1], -std::sin(0.3), 1e-16);
  EXPECT_EQ(r[0][2], 0.0);
  EXPECT_NEAR(r[1][0], std::sin(0.3), 1e-16);
  EXPECT_EQ(r[2][2], 1.0);

  double w[3] = {0.1, -0.4, 0.25}, back[3];
  m.rodVector2Rotm(w, r);
  m.rotm2RodVector(r, back);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(back[k], w[k], 1e-15);
  EXPECT_EQ(w[0], 0.1);

  // The row-vector matrix of the same rotation gives the inverse rotation's vector.
  double t[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t[i][j] = r[j][i];
  m.rotm2RodVector(t, back);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(back[k], -w[k], 1e-15);
}

// The identity, the zero vector and half-turns: singular_test.cpp.

}  // namespace
