#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "zr/mathMatrix.h"

namespace {

using I = std::vector<std::vector<int>>;
using D = std::vector<std::vector<double>>;
ZR::mathMatrix m;

// ones, zeros and hilb fill only an empty result; pascal2, vander and toeplitz append.
TEST(Generators, FillOrAppend) {
  I a, b, c, held{{7}};
  m.ones(2, 3, a);
  m.zeros(1, 2, b);
  m.ones(2, 0, c);
  m.ones(2, 2, held);
  m.zeros(2, 2, held);
  EXPECT_EQ(a, (I{{1, 1, 1}, {1, 1, 1}}));
  EXPECT_EQ(b, (I{{0, 0}}));
  EXPECT_EQ(c, (I{{}, {}}));
  EXPECT_EQ(held, (I{{7}}));
  D h, hheld{{7.0}};
  m.hilb(3, h);
  m.hilb(3, hheld);
  const double third = 1.0 / 3.0;
  EXPECT_EQ(h, (D{{1.0, 0.5, third}, {0.5, third, 0.25}, {third, 0.25, 0.2}}));
  EXPECT_EQ(hheld, (D{{7.0}}));

  const I p3{{1, 1, 1}, {1, 2, 3}, {1, 3, 6}};
  I p{{9, 9}, {5}};
  m.pascal2(3, p);  // earlier rows stay in front; the new rows read only each other
  m.pascal2(0, p);
  EXPECT_EQ(p, (I{{9, 9}, {5}, {1, 1, 1}, {1, 2, 3}, {1, 3, 6}}));

  D v, t;
  const double x = 1.1;  // powers by binary exponentiation: x^4 = (x·x)·(x·x)
  m.vander({2, 3}, v);
  m.vander({}, v);
  m.vander({x, 0, 0, 0, 0}, v);
  EXPECT_EQ(v, (D{{2, 1},
                  {3, 1},
                  {(x * x) * (x * x), x * (x * x), x * x, x, 1.0},
                  {0, 0, 0, 0, 1},
                  {0, 0, 0, 0, 1},
                  {0, 0, 0, 0, 1},
                  {0, 0, 0, 0, 1}}));
  m.toeplitz({1, 2, 3}, t);
  m.toeplitz({5}, t);
  m.toeplitz({}, t);
  EXPECT_EQ(t, (D{{1, 2, 3}, {2, 1, 2}, {3, 2, 1}, {5}}));
}

// Entry (i, j) of pascal2 is C(i + j, i) modulo 2^32; the oracle is the binomial triangle in 64 bits.
TEST(Generators, PascalWrapsModulo2To32) {
  std::vector<std::vector<std::uint64_t>> binom(80, std::vector<std::uint64_t>(80, 0));
  for (std::size_t r = 0; r < 80; ++r)
    for (std::size_t k = 0; k <= r; ++k)
      binom[r][k] = k == 0 ? 1 : (binom[r - 1][k - 1] + binom[r - 1][k]) & 0xffffffffu;
  I big;
  m.pascal2(40, big);
  ASSERT_EQ(big.size(), 40u);
  for (std::size_t i = 0; i < 40; ++i)
    for (std::size_t j = 0; j < 40; ++j) EXPECT_EQ(static_cast<std::uint32_t>(big[i][j]), binom[i + j][i]);
  EXPECT_EQ(big[17][17], -1961361076);  // C(34, 17) = 2333606220 − 2^32
}

}  // namespace
