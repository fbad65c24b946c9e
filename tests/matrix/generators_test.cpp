#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "zr/mathMatrix.h"

namespace {

using ZR::mathMatrix;
using IntRows = std::vector<std::vector<int>>;
using Rows = std::vector<std::vector<double>>;

TEST(Generators, OnesZerosHilbertOnlyFillEmptyResults) {
  mathMatrix m;
  IntRows out;
  m.ones(2, 3, out);
  EXPECT_EQ(out, (IntRows{{1, 1, 1}, {1, 1, 1}}));
  out.clear();
  m.zeros(1, 2, out);
  EXPECT_EQ(out, (IntRows{{0, 0}}));
  out.clear();
  m.ones(2, 0, out);
  EXPECT_EQ(out, (IntRows{{}, {}}));
  out.clear();
  m.ones(0, 5, out);
  m.zeros(-1, 5, out);
  EXPECT_TRUE(out.empty());

  IntRows held{{7}};
  m.ones(2, 2, held);
  m.zeros(2, 2, held);
  EXPECT_EQ(held, (IntRows{{7}}));

  Rows h;
  m.hilb(3, h);
  EXPECT_EQ(h, (Rows{{1.0, 0.5, 0.3333333333333333},
                     {0.5, 0.3333333333333333, 0.25},
                     {0.3333333333333333, 0.25, 0.2}}));
  Rows hheld{{7.0}};
  m.hilb(3, hheld);
  EXPECT_EQ(hheld, (Rows{{7.0}}));
}

TEST(Generators, PascalAppendsAndWraps) {
  mathMatrix m;
  IntRows out;
  m.pascal2(4, out);
  const IntRows p4{{1, 1, 1, 1}, {1, 2, 3, 4}, {1, 3, 6, 10}, {1, 4, 10, 20}};
  EXPECT_EQ(out, p4);
  IntRows one;
  m.pascal2(1, one);
  EXPECT_EQ(one, (IntRows{{1}}));
  m.pascal2(0, one);
  m.pascal2(-3, one);
  EXPECT_EQ(one, (IntRows{{1}}));

  // Rows already present stay in front; the new rows read only each other.
  IntRows held{{9, 9}, {5}};
  m.pascal2(4, held);
  IntRows expected{{9, 9}, {5}};
  expected.insert(expected.end(), p4.begin(), p4.end());
  EXPECT_EQ(held, expected);

  // Entry (i, j) is C(i + j, i) modulo 2^32 read as two's complement; the oracle builds the
  // usual binomial triangle in 64-bit arithmetic.
  const int n = 40;
  std::vector<std::vector<std::uint64_t>> binom(2 * n, std::vector<std::uint64_t>(2 * n, 0));
  for (std::size_t r = 0; r < binom.size(); ++r) {
    binom[r][0] = 1;
    for (std::size_t k = 1; k <= r; ++k) binom[r][k] = (binom[r - 1][k - 1] + binom[r - 1][k]) & 0xffffffffu;
  }
  IntRows big;
  m.pascal2(n, big);
  ASSERT_EQ(big.size(), static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < big.size(); ++i)
    for (std::size_t j = 0; j < big[i].size(); ++j)
      EXPECT_EQ(static_cast<std::uint32_t>(big[i][j]), binom[i + j][i]) << i << ' ' << j;
  EXPECT_EQ(big[16][16], 601080390);
  EXPECT_EQ(big[17][17], -1961361076);  // C(34, 17) = 2333606220 − 2^32
}

TEST(Generators, VandermondeAndToeplitzAppend) {
  mathMatrix m;
  Rows out;
  m.vander({2, 3, 5}, out);
  EXPECT_EQ(out, (Rows{{4, 2, 1}, {9, 3, 1}, {25, 5, 1}}));
  out.clear();
  m.vander({0}, out);
  EXPECT_EQ(out, (Rows{{1.0}}));
  m.vander({}, out);
  m.vander({-1.5, 0.1}, out);
  EXPECT_EQ(out, (Rows{{1.0}, {-1.5, 1.0}, {0.1, 1.0}}));

  // Powers by binary exponentiation: x^4 = (x·x)·(x·x), x^3 = x·(x·x).
  out.clear();
  const double x = 1.1;
  m.vander({x, 0, 0, 0, 0}, out);
  EXPECT_EQ(out[0][0], (x * x) * (x * x));
  EXPECT_EQ(out[0][1], x * (x * x));
  EXPECT_EQ(out[1], (std::vector<double>{0, 0, 0, 0, 1}));

  Rows t;
  const Rows t3{{1, 2, 3}, {2, 1, 2}, {3, 2, 1}};
  m.toeplitz({1, 2, 3}, t);
  EXPECT_EQ(t, t3);
  m.toeplitz({1, 2, 3}, t);
  Rows twice = t3;
  twice.insert(twice.end(), t3.begin(), t3.end());
  EXPECT_EQ(t, twice);
  m.toeplitz({}, t);
  EXPECT_EQ(t.size(), 6u);
}

}  // namespace
