#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "support.h"
#include "zr/Graph.h"

namespace {

using Points = std::vector<std::vector<int>>;
using XY = std::pair<int, int>;
enum Algo { kGraham, kJarvis, kDivide };

Points hull(Algo algo, Points& p) {
  ZR::Graph g;
  if (algo == kGraham) return g.convexHullGraham(p);
  if (algo == kJarvis) return g.convexHullJarvis(p);
  return g.convexHullDivideConquer(p);
}

Points rows(std::initializer_list<XY> l) {
  Points p;
  for (const XY& q : l) p.push_back({q.first, q.second});
  return p;
}

// ---- Independent oracle: monotone chain on small coordinates (int64 is exact there) ----------

std::int64_t cross(const XY& o, const XY& a, const XY& b) {
  return std::int64_t{a.first - o.first} * (b.second - o.second) -
         std::int64_t{a.second - o.second} * (b.first - o.first);
}
bool onSegment(const XY& a, const XY& b, const XY& q) {
  return cross(a, b, q) == 0 && std::min(a.first, b.first) <= q.first &&
         q.first <= std::max(a.first, b.first) && std::min(a.second, b.second) <= q.second &&
         q.second <= std::max(a.second, b.second);
}
// Every distinct input point on the boundary of the hull (all of them when the set is flat).
std::set<XY> boundary(std::vector<XY> p) {
  std::sort(p.begin(), p.end());
  p.erase(std::unique(p.begin(), p.end()), p.end());
  std::vector<XY> h(2 * p.size() + 1);
  std::size_t k = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    while (k >= 2 && cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  for (std::size_t i = p.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  const std::size_t n = k - 1;
  std::set<XY> out;
  for (const XY& q : p) {
    bool on = n < 3;
    for (std::size_t i = 0; !on && i < n; ++i) on = onSegment(h[i], h[(i + 1) % n], q);
    if (on) out.insert(q);
  }
  return out;
}

// The hull holds exactly the boundary points, each once for distinct inputs; Graham and Jarvis walk
// it counter-clockwise (cross products of consecutive turns never negative); Graham only reorders
// the caller's rows, the others leave them alone.
void checkHull(Algo algo, const std::vector<XY>& pts, bool distinct) {
  Points p;
  for (const XY& q : pts) p.push_back({q.first, q.second});
  const Points before = p;
  const Points h = hull(algo, p);
  if (algo == kGraham) {
    std::multiset<std::vector<int>> a(before.begin(), before.end()), b(p.begin(), p.end());
    EXPECT_EQ(a, b);
  } else {
    EXPECT_EQ(p, before);
  }
  std::vector<XY> got;
  for (const auto& r : h) got.emplace_back(r[0], r[1]);
  const std::set<XY> gotSet(got.begin(), got.end()), want = boundary(pts);
  ASSERT_EQ(gotSet, want) << "algorithm " << algo << ", n " << pts.size();
  EXPECT_TRUE(!distinct || got.size() == gotSet.size());
  if (algo == kDivide || !distinct || got.size() < 3) return;
  for (std::size_t i = 0; i < got.size(); ++i)
    EXPECT_GE(cross(got[i], got[(i + 1) % got.size()], got[(i + 2) % got.size()]), 0) << "algorithm " << algo;
}

// Distinct points in [−1000, 1000]² below the line x + y = 1500, with runs on the box's sides and on
// that line (many collinear boundary points); on a coarse grid when coarse, with copies added.
std::vector<XY> randomSet(zrtest::Random& g, std::size_t n, bool copies) {
  std::set<XY> s;
  const std::size_t edge = g.below(4) == 0 ? 0 : g.below(static_cast<std::uint32_t>(n / 4 + 1));
  while (s.size() < n) {
    XY q{g.between(-1000, 1000), g.between(-1000, 1000)};
    const std::uint32_t side = s.size() < edge ? g.below(5) : 5;
    if (side == 0) q.first = -1000;
    if (side == 1) q.second = -1000;
    if (side == 2) q = {1000, std::min(q.second, 500)};
    if (side == 3) q = {std::min(q.first, 500), 1000};
    if (side == 4) q.first = g.between(500, 1000), q.second = 1500 - q.first;
    if (q.first + q.second <= 1500) s.insert(q);
  }
  std::vector<XY> v(s.begin(), s.end());
  if (copies) {
    const std::size_t extra = 1 + g.below(static_cast<std::uint32_t>(v.size()));
    for (std::size_t i = 0; i < extra; ++i) v.push_back(v[g.below(static_cast<std::uint32_t>(v.size()))]);
    v.push_back(v.front());  // the lowest-leftmost point, where every algorithm starts
  }
  for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[g.below(static_cast<std::uint32_t>(i))]);
  return v;
}

TEST(ConvexHull, RandomSetsAgainstMonotoneChain) {
  zrtest::Random g(2024);
  for (int round = 0; round < 80; ++round) {
    const bool copies = round % 2 == 1;
    std::vector<XY> pts = randomSet(g, 4 + g.below(400), copies);
    if (round % 6 == 5)
      for (auto& q : pts) q = {q.first / 200, q.second / 200};  // a coarse grid: many copies
    for (Algo a : {kGraham, kJarvis, kDivide}) checkHull(a, pts, !copies && round % 6 != 5);
  }
  std::vector<XY> curve;  // every point on the hull
  for (int x = -2000; x < 2000; ++x) curve.emplace_back(x, x * x);
  for (Algo a : {kDivide, kGraham}) checkHull(a, curve, true);
}

// Exact walks where the order is decided by the tie rules: collinear boundary points in order along
// each edge, rows on both sides of Graham's pivot line, copies of Jarvis' start point.
TEST(ConvexHull, FixedWalks) {
  const struct {
    Algo algo;
    Points in, out;
  } table[] = {
      {kGraham, rows({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}, {2, 0}, {4, 2}}),
       rows({{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}, {0, 4}})},
      {kJarvis, rows({{0, 0}, {6, 0}, {3, 0}, {1, 0}, {5, 0}, {3, 5}}),
       rows({{0, 0}, {3, 0}, {1, 0}, {5, 0}, {6, 0}, {3, 5}})},
      {kGraham, rows({{0, 0}, {-1, 0}, {3, 0}, {-4, 0}, {1, 0}, {0, 5}, {1, 1}, {-2, 0}}),
       rows({{0, 0}, {1, 0}, {3, 0}, {0, 5}, {-4, 0}, {-2, 0}, {-1, 0}})},
      {kJarvis, rows({{0, 0}, {4, 4}, {0, 0}, {4, 0}, {0, 4}, {2, 2}}),
       rows({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}})},
      {kDivide, rows({{3, 1}, {6, 2}, {7, 5}, {5, 8}, {2, 7}, {1, 4}, {4, 4}, {5, 5}}),
       rows({{1, 4}, {7, 5}, {5, 8}, {2, 7}, {3, 1}, {6, 2}})},
      {kDivide, rows({{2, 0}, {2, 3}, {2, 1}, {2, 5}}), rows({{2, 0}, {2, 0}, {2, 3}, {2, 1}, {2, 5}})},
  };
  for (const auto& c : table) {
    Points p = c.in;
    EXPECT_EQ(hull(c.algo, p), c.out) << "algorithm " << c.algo;
  }
  Points p = rows({{0, 0}, {10, 0}, {5, 8}, {5, 3}, {4, 2}, {6, 2}});
  hull(kGraham, p);  // sorted about the pivot, in place
  EXPECT_EQ(p, rows({{0, 0}, {10, 0}, {6, 2}, {4, 2}, {5, 3}, {5, 8}}));
}

TEST(ConvexHull, SmallSetsWholeRowsAndShortRows) {
  const Points in{{0, 0, 7}, {4, 0, 8, 9}, {4, 4}, {0, 4, 1}, {2, 2, 5}};
  for (Algo a : {kGraham, kJarvis, kDivide}) {
    for (const Points& small :
         {Points{}, rows({{1, 1}}), rows({{2, 2}, {2, 2}, {2, 2}}), rows({{0, 0}, {2, 0}, {1, 0}})}) {
      Points p = small;
      EXPECT_EQ(hull(a, p), small);  // three rows or fewer come back as they are
    }
    Points p = in;
    const Points h = hull(a, p);  // further elements travel with their row
    EXPECT_EQ(std::set<std::vector<int>>(h.begin(), h.end()),
              (std::set<std::vector<int>>{{0, 0, 7}, {4, 0, 8, 9}, {4, 4}, {0, 4, 1}}));
    Points bad{{0, 0}, {4, 0}, {4}, {0, 4}};
    zrtest::expectOutOfRange([&] { hull(a, bad); });
    EXPECT_EQ(bad, (Points{{0, 0}, {4, 0}, {4}, {0, 4}}));
  }
}

// Many copies of few points, labelled by input position in a third element: after the sort the
// copies of each point stand in input order, whatever the standard library's sort would do.
TEST(ConvexHull, GrahamKeepsCoincidentRowsInInputOrder) {
  zrtest::Random g(17);
  for (int round = 0; round < 20; ++round) {
    Points p{{100, 100, 0}};
    for (int i = 1; i < 60; ++i) p.push_back({g.between(0, 3), g.between(0, 3), i});
    hull(kGraham, p);
    for (std::size_t i = 1; i < p.size(); ++i) {
      const auto it =
          std::find_if(p.begin() + static_cast<std::ptrdiff_t>(i) + 1, p.end(),
                       [&](const std::vector<int>& r) { return r[0] == p[i][0] && r[1] == p[i][1]; });
      EXPECT_TRUE(it == p.end() || (*it)[2] > p[i][2]) << round;
    }
  }
}

// Orientation tests are exact over the whole int range: an increasing map of both axes with one
// scale keeps every decision, so the hull of the stretched set is the stretched hull, order included.
// The scales land in each range the tests are computed in (within ±2^25, within ±2^30, the whole
// int range); sets of up to 300 grid points carry long runs of collinear points and copies.
TEST(ConvexHull, ExtremeCoordinatesAreExact) {
  const int lo = INT_MIN, hi = INT_MAX;
  const Points in =
      rows({{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}, {0, 0}, {hi - 1, hi - 1}, {0, lo}, {hi, 0}, {-1, hi}});
  const Points walk = rows({{lo, lo}, {0, lo}, {hi, lo}, {hi, 0}, {hi, hi}, {-1, hi}, {lo, hi}});
  for (Algo a : {kGraham, kJarvis}) {
    Points p = in;
    EXPECT_EQ(hull(a, p), walk);
  }
  // A point inside the triangle (0, 0), (k, k + 1), (0, k + 1) by one unit of cross product, next to
  // its first edge: k² and (k + 1)(k − 1) round to the same double once k passes 2^26.
  for (int k : {(1 << 25) - 1, (1 << 25) + 1, (1 << 28) - 1, (1 << 30) - 1})
    for (Algo a : {kGraham, kJarvis, kDivide}) checkHull(a, {{0, 0}, {k, k + 1}, {k - 1, k}, {0, k + 1}}, true);
  // 63 · scale spans [offset, −offset] at most.
  const struct {
    std::int64_t offset, scale;
  } maps[] = {{-(std::int64_t{1} << 25), 1065220}, {-(std::int64_t{1} << 30), 34087042}, {INT_MIN, 68174084}};
  zrtest::Random g(7);
  for (int round = 0; round < 25; ++round) {
    Points small;
    for (std::size_t i = 0, n = 4 + g.below(300); i < n; ++i) small.push_back({g.between(0, 63), g.between(0, 63)});
    for (const auto& m : maps) {
      auto stretch = [&](const Points& s) {
        Points r;
        for (const auto& q : s)
          r.push_back({static_cast<int>(m.offset + q[0] * m.scale), static_cast<int>(m.offset + q[1] * m.scale)});
        return r;
      };
      for (Algo a : {kGraham, kJarvis, kDivide}) {
        Points s = small, big = stretch(small);
        EXPECT_EQ(hull(a, big), stretch(hull(a, s))) << "algorithm " << a << ", round " << round << ", scale " << m.scale;
      }
    }
  }
}

}  // namespace
