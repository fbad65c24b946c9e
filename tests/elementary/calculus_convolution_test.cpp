#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support.h"
#include "zr/caculusMath.h"
#include "zr/convolutionMath.h"

namespace {

using Vec = std::vector<double>;
using Mat = std::vector<Vec>;

using zrtest::expectFailure;
using zrtest::kSubscript;
using zrtest::kTooLong;

TEST(Calculus, PolyintAndPolyder) {
  ZR::caculusMath c;
  EXPECT_EQ(c.polyint({3, 0, 0}, {0, 1}), 1.0);
  EXPECT_EQ(c.polyint({2, 1}, {3, 1}), -10.0);
  EXPECT_EQ(c.polyint({1, 0}, {0, 1, 7}), 0.5);  // a third bound is not read
  EXPECT_EQ(c.polyint({}, {}), 0.0);             // nor is the interval of the zero polynomial
  expectFailure([&] { c.polyint({1, 2}, {1}); }, kSubscript);
  EXPECT_TRUE(c.polyder({5}).empty());
  expectFailure([&] { c.polyder({}); }, kTooLong);

  // Against the antiderivative evaluated by hand, and the derivative of that antiderivative
  // giving the polynomial back; small integers keep every step exact.
  zrtest::Random g(4);
  for (int round = 0; round < 50; ++round) {
    Vec p(1 + g.below(6));
    for (double& e : p) e = static_cast<double>(static_cast<int>(g.below(9)) - 4);
    const double a = static_cast<double>(static_cast<int>(g.below(5)) - 2);
    const double b = static_cast<double>(static_cast<int>(g.below(5)) - 2);
    const std::size_t n = p.size();
    Vec anti(n + 1, 0.0);  // highest power first, constant term 0
    for (std::size_t i = 0; i < n; ++i) anti[i] = p[i] / static_cast<double>(n - i);
    auto eval = [](const Vec& q, double x) {
      double r = 0.0;
      for (double e : q) r = r * x + e;
      return r;
    };
    EXPECT_NEAR(c.polyint(p, {a, b}), eval(anti, b) - eval(anti, a), 1e-9);
    const Vec back = c.polyder(anti);
    ASSERT_EQ(back.size(), n);
    for (std::size_t i = 0; i < n; ++i) EXPECT_NEAR(back[i], p[i], 1e-12);
  }
}

TEST(Convolution, Conv) {
  ZR::convolutionMath cv;
  Vec w;
  cv.conv({}, {1, 2, 3}, w);
  EXPECT_EQ(w, (Vec{0, 0}));
  w = {4, 5};
  cv.conv({7}, {}, w);
  EXPECT_TRUE(w.empty());
  w = {9};
  expectFailure([&] { cv.conv({}, {}, w); }, kTooLong);
  EXPECT_EQ(w, (Vec{9}));

  // Against the plain double loop on random integers (exact), w holding old values.
  zrtest::Random g(12);
  for (int round = 0; round < 50; ++round) {
    Vec u(g.below(20)), v(g.below(20)), old(g.below(45));
    if (u.empty() && v.empty()) continue;
    for (Vec* x : {&u, &v, &old})
      for (double& e : *x) e = static_cast<double>(static_cast<int>(g.below(201)) - 100);
    Vec expect = old;
    expect.resize(u.size() + v.size() - 1);
    for (std::size_t i = 0; i < u.size(); ++i)
      for (std::size_t j = 0; j < v.size(); ++j) expect[i + j] += u[i] * v[j];
    Vec got = old;
    cv.conv(u, v, got);
    EXPECT_EQ(got, expect);
  }
}

TEST(Convolution, Conv2) {
  ZR::convolutionMath cv;
  Mat c;
  // Zero columns: na = 0 writes nothing, nb = 0 writes zeros, both raise; no rows = no columns.
  c = {{5, 5, 5}};
  cv.conv2({{}, {}}, {{1, 2, 3}}, c);
  EXPECT_EQ(c, (Mat{{5, 5}, {0, 0}}));
  c = {{5, 5, 5}};
  cv.conv2({{1, 2, 3}}, {{}}, c);
  EXPECT_EQ(c, (Mat{{0, 0}}));
  c = {{5, 5, 5}};
  cv.conv2({}, {{1, 2}}, c);  // 0 − 1 + 1 rows
  EXPECT_TRUE(c.empty());
  c = {{8}};
  expectFailure([&] { cv.conv2({{}}, {{}}, c); }, kTooLong);
  expectFailure([&] { cv.conv2({}, {}, c); }, kTooLong);
  expectFailure([&] { cv.conv2({{1, 2}, {3}}, {{1}}, c); }, kSubscript);
  expectFailure([&] { cv.conv2({{1}}, {{1, 2}, {}}, c); }, kSubscript);
  EXPECT_EQ(c, (Mat{{8}}));

  // Against the plain quadruple loop with the same float running sum; the result, held larger,
  // is trimmed to the full size.
  zrtest::Random g(21);
  for (int round = 0; round < 25; ++round) {
    const std::size_t ma = 1 + g.below(5), na = 1 + g.below(5), mb = 1 + g.below(5), nb = 1 + g.below(5);
    Mat a(ma, Vec(na)), b(mb, Vec(nb));
    for (Mat* m : {&a, &b})
      for (Vec& row : *m)
        for (double& e : row) e = g.in(-1.0, 1.0);
    Mat expect(ma + mb - 1, Vec(na + nb - 1));
    for (std::size_t r = 0; r < expect.size(); ++r)
      for (std::size_t col = 0; col < expect[r].size(); ++col) {
        float acc = 0.0f;
        for (std::size_t i = 0; i < ma; ++i)
          for (std::size_t j = 0; j < na; ++j)
            if (r >= i && r - i < mb && col >= j && col - j < nb)
              acc = static_cast<float>(a[i][j] * b[r - i][col - j] + static_cast<double>(acc));
        expect[r][col] = static_cast<double>(acc);
      }
    Mat got(ma + mb + 1, Vec(na + nb + 2, 9.0));
    cv.conv2(a, b, got);
    EXPECT_EQ(got, expect);
  }
}

}  // namespace
