#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "support.h"
#include "zr/Graph.h"

namespace {

using ZR::Graph;
using Curve = std::vector<std::vector<double>>;
using Ints = std::vector<int>;

// t of every row: from 0.0f, the float step added in float while 1.0f >= t.
std::vector<float> samples(float step) {
  std::vector<float> t;
  for (float v = 0.0f; 1.0f >= v; v = v + step) t.push_back(v);
  return t;
}

// The Bernstein form in double, as an independent reference.
double bernstein(const Ints& p, double t) {
  const auto n = static_cast<int>(p.size()) - 1;
  double s = 0.0, c = 1.0;
  for (int i = 0; i <= n; ++i) {
    s += c * std::pow(t, i) * std::pow(1.0 - t, n - i) * p[static_cast<std::size_t>(i)];
    c = c * (n - i) / (i + 1);
  }
  return s;
}

void expectNearCurve(const Curve& curve, const Ints& x, const Ints& y, float step, double scale) {
  const std::vector<float> t = samples(step);
  ASSERT_EQ(curve.size(), t.size());
  for (std::size_t k = 0; k < t.size(); ++k) {
    ASSERT_EQ(curve[k].size(), 2u);
    // A few float roundings of values up to the size of the coordinates.
    EXPECT_NEAR(curve[k][0], bernstein(x, t[k]), scale * 8e-7) << k;
    EXPECT_NEAR(curve[k][1], bernstein(y, t[k]), scale * 8e-7) << k;
  }
}

// bezier_n appends 2000 rows (t steps 0.0005f), the closed forms 501 (0.002f); the closed forms
// read the first two (bezier_1), the last three (bezier_2) or the last four (bezier_3) points.
TEST(Bezier, RowCountsAppendAndPointsRead) {
  Graph g;
  EXPECT_TRUE(samples(0.0005f).size() == 2000u && samples(0.002f).size() == 501u);
  Curve c{{7.0, 8.0}};
  g.bezier_n({3, 9, -4}, {5, 1, 2}, 12345, c);
  ASSERT_EQ(c.size(), 2001u);
  EXPECT_TRUE(c[0] == (std::vector<double>{7.0, 8.0}) && c[1] == (std::vector<double>{3.0, 5.0}));
  const Ints x{10, 20, 30, 40, 50}, y{-1, -2, -3, -4, -5};
  Curve c1, c2, c3, d1, d2, d3;
  g.bezier_1(x, y, 0, c1);
  g.bezier_2(x, y, 0, c2);
  g.bezier_3(x, y, 0, c3);
  g.bezier_1({10, 20}, {-1, -2}, 0, d1);
  g.bezier_2({30, 40, 50}, {-3, -4, -5}, 0, d2);
  g.bezier_3({20, 30, 40, 50}, {-2, -3, -4, -5}, 0, d3);
  EXPECT_TRUE(c1 == d1 && c2 == d2 && c3 == d3);
  EXPECT_EQ(c2[0], (std::vector<double>{30.0, -3.0}));
}

TEST(Bezier, DegenerateBernsteinInputs) {
  Graph g;
  Curve c, one;
  g.bezier_n({}, {}, 0, c);
  g.bezier_n({-6}, {9, 100}, 0, one);
  EXPECT_EQ(c, Curve(2000, {0.0, 0.0}));
  EXPECT_EQ(one, Curve(2000, {-6.0, 9.0}));

  // 171 points: 170! is still finite. 172 points: 171! overflows and the weights are undefined.
  Curve f, nan;
  g.bezier_n(Ints(171, 1), Ints(171, 1), 0, f);
  g.bezier_n(Ints(172, 1), Ints(172, 1), 0, nan);
  for (const auto& r : f) EXPECT_TRUE(std::isfinite(r[0]));
  EXPECT_EQ(f[0], (std::vector<double>{1.0, 1.0}));
  EXPECT_TRUE(std::isnan(nan[1][0]));
  EXPECT_TRUE(std::isnan(nan[1000][1]));
}

TEST(Bezier, ClosedFormsMatchBernsteinForm) {
  Graph g;
  const Ints x{-300, 1200, 45, 900}, y{800, -50, 1000, -700};
  for (std::size_t degree = 1; degree <= 3; ++degree) {
    const Ints px(x.begin(), x.begin() + static_cast<long>(degree) + 1);
    const Ints py(y.begin(), y.begin() + static_cast<long>(degree) + 1);
    Curve n, closed;
    g.bezier_n(px, py, 0, n);
    if (degree == 1) g.bezier_1(px, py, 0, closed);
    if (degree == 2) g.bezier_2(px, py, 0, closed);
    if (degree == 3) g.bezier_3(px, py, 0, closed);
    expectNearCurve(n, px, py, 0.0005f, 1200.0);
    expectNearCurve(closed, px, py, 0.002f, 1200.0);
    EXPECT_EQ(n[0], closed[0]);
  }
  // Coordinates at the ends of the int range stay finite and accurate to float precision.
  const Ints ex{INT_MIN, INT_MAX, INT_MIN, INT_MAX}, ey{INT_MAX, INT_MIN, INT_MAX, INT_MIN};
  Curve c3;
  g.bezier_3(ex, ey, 0, c3);
  EXPECT_EQ(c3[0], (std::vector<double>{-2147483648.0, 2147483648.0}));
  expectNearCurve(c3, ex, ey, 0.002f, 4.3e9 * 4);
}

// bezier_3's coefficients are C = f(3·(P1 − P0)), B = f(3·(P2 − P1) − C), A = (f(P3 − P0) − C) − B,
// f rounding to float once, and row t is ((t²·B + t³·A) + t·C) + P0 in float. Here f is the
// hardware's conversion (through double, exact for these integers); the library rounds in
// integers. 3·44739245 = 2^27 + 7 sits just above a power of two, where the integer rounding must
// shift one bit further than the leading 24.
TEST(Bezier, CubicCoefficientsAreRoundedOnce) {
  Graph g;
  zrtest::Random r(31);
  auto f = [](std::int64_t v) { return static_cast<float>(static_cast<double>(v)); };
  auto axis = [&](const Ints& p, float t) {
    const std::int64_t q0 = p[0], q1 = p[1], q2 = p[2], q3 = p[3];
    const float C = f(3 * (q1 - q0)), B = f(3 * (q2 - q1) - static_cast<std::int64_t>(C));
    const float A = (f(q3 - q0) - C) - B, t2 = t * t, t3 = t * t2;
    return static_cast<double>((((t2 * B) + (t3 * A)) + (t * C)) + static_cast<float>(p[0]));
  };
  for (int round = 0; round < 100; ++round) {
    Ints x{0, 44739245, 44739245 + 50331648, -7}, y(4);
    for (int& v : y) v = r.between(INT_MIN, INT_MAX);
    if (round > 0) x = {r.between(INT_MIN, INT_MAX), r.between(-99, 99), r.between(INT_MIN, INT_MAX), 0};
    Curve c;
    g.bezier_3(x, y, 0, c);
    ASSERT_EQ(c.size(), 501u);
    std::size_t k = 0;
    for (float t = 0.0f; 1.0f >= t; t = t + 0.002f, ++k)
      ASSERT_TRUE(c[k][0] == axis(x, t) && c[k][1] == axis(y, t)) << round << " row " << k;
  }
}

TEST(Bezier, TooFewPointsRaiseBeforeAppending) {
  using Op = void (Graph::*)(Ints, Ints, int, Curve&);
  const struct {
    Op op;
    Ints x, y;
  } cases[] = {{&Graph::bezier_1, {1}, {1, 2}},
               {&Graph::bezier_1, {1, 2}, {1}},
               {&Graph::bezier_2, {1, 2}, {1, 2, 3}},
               {&Graph::bezier_2, {1, 2, 3, 4}, {1, 2, 3}},
               {&Graph::bezier_3, {1, 2, 3}, {1, 2, 3, 4}},
               {&Graph::bezier_3, {1, 2, 3, 4}, {1, 2, 3}},
               {&Graph::bezier_n, {1, 2}, {1}},
               {&Graph::bezier_n, {1}, {}}};
  for (const auto& c : cases) {
    Graph g;
    Curve out{{1.0, 2.0}};
    try {
      (g.*c.op)(c.x, c.y, 0, out);
      ADD_FAILURE() << "no exception for " << c.x.size() << " / " << c.y.size();
    } catch (const std::out_of_range& e) {
      EXPECT_EQ(e.what(), zrtest::kSubscript);
    }
    EXPECT_EQ(out, (Curve{{1.0, 2.0}}));
  }
}

}  // namespace
