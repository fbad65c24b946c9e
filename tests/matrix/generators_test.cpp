#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "zr/mathMatrix.h"

namespace {

using I = std::vector<std::vector<int>>;
using D = std::vector<std::vector<double>>;
ZR::mathMatrix m;

TEST(Generators, OnesZerosHilbertOnlyFillEmptyResults) {
  I a, b, c, d, held{{7}};
  m.ones(2, 3, a);
  m.zeros(1, 2, b);
  m.ones(2, 0, c);
  m.ones(0, 5, d);
  m.ones(2, 2, held);
  m.zeros(2, 2, held);
  EXPECT_EQ(a, (I{{1, 1, 1}, {1, 1, 1}}));
  EXPECT_EQ(b, (I{{0, 0}}));
  EXPECT_EQ(c, (I{{}, {}}));
  EXPECT_TRUE(d.empty());
  EXPECT_EQ(held, (I{{7}}));
  D h, hheld{{7.0}};
  m.hilb(3, h);
  m.hilb(3, hheld);
  const double third = 0.3333333333333333;
  EXPECT_EQ(h, (D{{1.0, 0.5, third}, {0.5, third, 0.25}, {third, 0.25, 0.2}}));
  EXPECT_EQ(hheld, (D{{7.0}}));
}

TEST(Generators, PascalAppendsAndWraps) {
  const I p4{{1, 1, 1, 1}, {1, 2, 3, 4}, {1, 3, 6, 10}, {1, 4, 10, 20}};
  I out, one, held{{9, 9}, {5}};
  m.pascal2(4, out);
  m.pascal2(1, one);
  m.pascal2(0, one);
  m.pascal2(4, held);  // earlier rows stay in front; the new rows read only each other
  EXPECT_EQ(out, p4);
  EXPECT_EQ(one, (I{{1}}));
  I expected{{9, 9}, {5}};
  expected.insert(expected.end(), p4.begin(), p4.end());
  EXPECT_EQ(held, expected);

  // Entry (i, j) is C(i + j, i) modulo 2^32; the oracle is the binomial triangle in 64 bits.
  std::vector<std::vector<std::uint64_t>> binom(80, std::vector<std::uint64_t>(80, 0));
  for (std::size_t r = 0; r < 80; ++r)
    for (std::size_t k = 0; k <= r; ++k)
      binom[r][k] = k == 0 ? 1 : (binom[r - 1][k - 1] + binom[r - 1][k]) & 0xffffffffu;
  I big;
  m.pascal2(40, big);
  for (std::size_t i = 0; i < 40; ++i)
    for (std::size_t j = 0; j < 40; ++j) EXPECT_EQ(static_cast<std::uint32_t>(big[i][j]), binom[i + j][i]);
  EXPECT_EQ(big[16][16], 601080390);
  EXPECT_EQ(big[17][17], -1961361076);  // C(34, 17) = 2333606220 − 2^32
}

TEST(Generators, VandermondeAndToeplitzAppend) {
  D v, w, t;
  m.vander({2, 3, 5}, v);
  m.vander({}, v);
  EXPECT_EQ(v, (D{{4, 2, 1}, {9, 3, 1}, {25, 5, 1}}));
  const double x = 1.1;  // powers by binary exponentiation: x^4 = (x·x)·(x·x)
  m.vander({0}, w);
  m.vander({x, 0, 0, 0, 0}, w);
  EXPECT_EQ(w[0], std::vector<double>{1.0});
  EXPECT_EQ(w[1], (std::vector<double>{(x * x) * (x * x), x * (x * x), x * x, x, 1.0}));
  EXPECT_EQ(w[2], (std::vector<double>{0, 0, 0, 0, 1}));
  const D t3{{1, 2, 3}, {2, 1, 2}, {3, 2, 1}};
  m.toeplitz({1, 2, 3}, t);
  m.toeplitz({1, 2, 3}, t);
  m.toeplitz({}, t);
  D twice = t3;
  twice.insert(twice.end(), t3.begin(), t3.end());
  EXPECT_EQ(t, twice);
}

}  // namespace
