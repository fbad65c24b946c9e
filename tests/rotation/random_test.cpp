// quaRandom: the documented stream (SplitMix64 + Marsaglia), reproduced independently in Python
// for the values below, and uniformity on the sphere of quaternions by moments.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "support.h"
#include "zr/mathCommon.h"

namespace {

using ZR::mathCommon;
using ZR::QuaD;
using zrtest::bits;

TEST(QuaRandom, StreamValuesAreThoseOfTheDocumentedGenerator) {
  const struct {
    std::uint64_t seed, index;
    double w, x, y, z;
  } cases[] = {
      {0, 1, 0x1.71868c03b1c20p-5, -0x1.b569eac8f087cp-2, -0x1.adf0f0ba75f43p-2, -0x1.99590445dfa83p-1},
      {42, 7, -0x1.cfbdd047c0c8cp-2, -0x1.f085a03a401e8p-3, 0x1.9f2fcb874abbap-4, -0x1.b43576361f08ep-1},
      {UINT64_MAX, UINT64_MAX, -0x1.bf1317678d6e0p-5, -0x1.2c1a74fbe8ea0p-5, 0x1.dee1461cba5c0p-2,
       0x1.c34f22937d46ap-1},
  };
  for (const auto& c : cases) {
    QuaD q{};
    mathCommon().quaRandom(c.seed, c.index, q);
    EXPECT_TRUE(bits(q.w) == bits(c.w) && bits(q.x) == bits(c.x) && bits(q.y) == bits(c.y) &&
                bits(q.z) == bits(c.z))
        << c.seed << " " << c.index;
  }
}

// For the uniform distribution on S³: E[c] = 0, E[c²] = 1/4, E[c⁴] = 1/8, E[cᵢ²·cⱼ²] = 1/24.
// Bounds are 5 standard errors for N = 40000.
TEST(QuaRandom, UniformOnTheSphereByMoments) {
  mathCommon m;
  const int n = 40000;
  double s1[4] = {}, s2[4] = {}, s4[4] = {}, cross2 = 0;
  for (int i = 0; i < n; ++i) {
    QuaD q{};
    m.quaRandom(2026, static_cast<std::uint64_t>(i), q);
    ASSERT_NEAR(((q.x * q.x + q.w * q.w) + q.y * q.y) + q.z * q.z, 1.0, 4 * DBL_EPSILON);
    const double c[4] = {q.w, q.x, q.y, q.z};
    for (int k = 0; k < 4; ++k) {
      s1[k] += c[k];
      s2[k] += c[k] * c[k];
      s4[k] += c[k] * c[k] * c[k] * c[k];
    }
    cross2 += c[i % 4] * c[i % 4] * c[(i + 2) % 4] * c[(i + 2) % 4];
  }
  const double se = 1.0 / std::sqrt(static_cast<double>(n));
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(s1[k] / n, 0.0, 5 * 0.5 * se) << k;
    EXPECT_NEAR(s2[k] / n, 0.25, 5 * 0.25 * se) << k;
    EXPECT_NEAR(s4[k] / n, 0.125, 5 * 0.2 * se) << k;
  }
  EXPECT_NEAR(cross2 / n, 1.0 / 24, 5 * 0.06 * se);
}

}  // namespace
