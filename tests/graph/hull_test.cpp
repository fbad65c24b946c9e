#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "zr/Graph.h"

namespace {

using ZR::Graph;
using Points = std::vector<std::vector<int>>;
using XY = std::pair<int, int>;

enum Algo { kGraham, kJarvis, kDivide };

Points hull(Algo algo, Points& p) {
  Graph g;
  if (algo == kGraham) return g.convexHullGraham(p);
  if (algo == kJarvis) return g.convexHullJarvis(p);
  return g.convexHullDivideConquer(p);
}

// ---- Independent oracle on small coordinates (int64 is exact there) -------------------------

std::int64_t cross(const XY& o, const XY& a, const XY& b) {
  return std::int64_t{a.first - o.first} * (b.second - o.second) -
         std::int64_t{a.second - o.second} * (b.first - o.first);
}

// Hull vertices counter-clockwise by monotone chain, collinear points dropped.
std::vector<XY> vertices(std::vector<XY> p) {
  std::sort(p.begin(), p.end());
  p.erase(std::unique(p.begin(), p.end()), p.end());
  if (p.size() < 3) return p;
  std::vector<XY> h(2 * p.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    while (k >= 2 && cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  for (std::size_t i = p.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  h.resize(k - 1);
  return h;
}

bool onSegment(const XY& a, const XY& b, const XY& q) {
  return cross(a, b, q) == 0 && std::min(a.first, b.first) <= q.first &&
         q.first <= std::max(a.first, b.first) && std::min(a.second, b.second) <= q.second &&
         q.second <= std::max(a.second, b.second);
}

struct Oracle {
  std::vector<XY> v;      // vertices, counter-clockwise
  std::set<XY> boundary;  // every distinct input point on the boundary
  bool flat = false;      // all points on one line

  explicit Oracle(const std::vector<XY>& pts) : v(vertices(pts)) {
    flat = v.size() < 3;
    for (const XY& q : pts) {
      bool on = flat;
      for (std::size_t i = 0; !on && i < v.size(); ++i) on = onSegment(v[i], v[(i + 1) % v.size()], q);
      if (on) boundary.insert(q);
    }
  }
  // Position along the boundary: edge index, then squared distance from the edge's first vertex.
  std::pair<std::size_t, std::int64_t> key(const XY& q) const {
    for (std::size_t i = 0; i < v.size(); ++i) {
      const XY& a = v[i];
      if (onSegment(a, v[(i + 1) % v.size()], q) && q != v[(i + 1) % v.size()]) {
        const std::int64_t dx = q.first - a.first, dy = q.second - a.second;
        return {i, dx * dx + dy * dy};
      }
    }
    ADD_FAILURE() << "not on the boundary: " << q.first << "," << q.second;
    return {0, 0};
  }
};

std::vector<XY> toXY(const Points& p) {
  std::vector<XY> r;
  for (const auto& row : p) r.emplace_back(row[0], row[1]);
  return r;
}

// Cyclically non-decreasing: at most one descent around the cycle.
template <class K>
bool cyclicallySorted(const std::vector<K>& keys) {
  int descents = 0;
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (keys[(i + 1) % keys.size()] < keys[i]) ++descents;
  return descents <= 1;
}

// Checks one hull of the input pts: the boundary points and nothing else; each point once when
// the input points are distinct; Graham and Jarvis walk the boundary counter-clockwise.
void checkHull(Algo algo, const std::vector<XY>& pts, bool distinct) {
  Points p;
  for (const XY& q : pts) p.push_back({q.first, q.second});
  const Points before = p;
  const Points h = hull(algo, p);
  if (algo != kGraham) {
    EXPECT_EQ(p, before);
  } else {
    std::multiset<XY> a(pts.begin(), pts.end()), b;
    for (const auto& r : p) b.emplace(r[0], r[1]);
    EXPECT_EQ(a, b);
  }
  const Oracle o(pts);
  const std::vector<XY> got = toXY(h);
  const std::set<XY> gotSet(got.begin(), got.end());
  EXPECT_EQ(gotSet, o.boundary) << "algorithm " << algo << ", n " << pts.size();
  EXPECT_TRUE(!distinct || got.size() == gotSet.size());
  if (algo == kDivide || o.flat || !distinct) return;
  std::vector<std::pair<std::size_t, std::int64_t>> keys;
  std::vector<std::size_t> edges;
  for (const XY& q : got) {
    keys.push_back(o.key(q));
    edges.push_back(keys.back().first);
  }
  // Graham keeps the order along each edge; Jarvis keeps input order inside one, farthest last.
  EXPECT_TRUE(algo != kGraham || cyclicallySorted(keys)) << "n " << pts.size();
  if (algo == kJarvis) {
    EXPECT_TRUE(cyclicallySorted(edges)) << "n " << pts.size();
    const auto lowest = std::min_element(got.begin(), got.end(), [](const XY& a, const XY& b) {
      return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    EXPECT_EQ(got[0], *lowest);
  }
}

std::uint32_t draw(std::mt19937& g, std::uint32_t n) { return static_cast<std::uint32_t>(g() % n); }
int coord(std::mt19937& g, int lo, int hi) {
  return lo + static_cast<int>(draw(g, static_cast<std::uint32_t>(hi - lo + 1)));
}

void shuffle(std::vector<XY>& v, std::mt19937& g) {
  for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[draw(g, static_cast<std::uint32_t>(i))]);
}

// Distinct points in [−1000, 1000]² below the line x + y = 1500, with runs on the four sides
// of the box and on that line.
std::vector<XY> randomSet(std::mt19937& g, std::size_t n) {
  std::set<XY> s;
  const std::size_t edgeRuns =
      draw(g, 4) == 0 ? 0 : draw(g, static_cast<std::uint32_t>(std::min<std::size_t>(n / 4, 2000) + 1));
  while (s.size() < n) {
    XY q{coord(g, -1000, 1000), coord(g, -1000, 1000)};
    const std::uint32_t side = s.size() < edgeRuns ? draw(g, 5) : 5;
    if (side == 0) q.first = -1000;
    if (side == 1) q.second = -1000;
    if (side == 2) q = {1000, std::min(q.second, 500)};
    if (side == 3) q = {std::min(q.first, 500), 1000};
    if (side == 4) q.first = coord(g, 500, 1000), q.second = 1500 - q.first;
    if (q.first + q.second <= 1500) s.insert(q);
  }
  std::vector<XY> v(s.begin(), s.end());
  shuffle(v, g);
  return v;
}

Points rows(std::initializer_list<XY> l) {
  Points p;
  for (const XY& q : l) p.push_back({q.first, q.second});
  return p;
}

// ---- Exact results on fixed point sets -----------------------------------------------------

TEST(ConvexHull, GrahamAndJarvisFixedSets) {
  struct Case {
    Points in, graham, jarvis;
  };
  const std::vector<Case> cases = {
      {rows({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}, {2, 0}, {4, 2}}),
       rows({{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}, {0, 4}}),
       rows({{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}, {0, 4}})},
      {rows({{0, 0}, {4, 0}, {2, 4}, {2, 1}}), rows({{0, 0}, {4, 0}, {2, 4}}),
       rows({{0, 0}, {4, 0}, {2, 4}})},
      {rows({{0, 0}, {1, 0}, {2, 0}, {3, 0}}), rows({{0, 0}, {1, 0}, {2, 0}, {3, 0}}),
       rows({{0, 0}, {1, 0}, {2, 0}, {3, 0}})},
      {rows({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}), rows({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}), {}},
      {rows({{0, 0}, {4, 0}, {4, 4}, {-1, 1}, {-2, 2}}), rows({{0, 0}, {4, 0}, {4, 4}, {-2, 2}, {-1, 1}}),
       rows({{0, 0}, {4, 0}, {4, 4}, {-2, 2}, {-1, 1}})},
      {rows({{0, 0}, {3, 0}, {5, 0}, {2, 4}, {1, 2}}), rows({{0, 0}, {3, 0}, {5, 0}, {2, 4}, {1, 2}}),
       rows({{0, 0}, {3, 0}, {5, 0}, {2, 4}, {1, 2}})},
      {rows({{3, 0}, {0, 0}, {5, 0}, {2, 4}, {1, 2}}), rows({{3, 0}, {5, 0}, {2, 4}, {1, 2}, {0, 0}}),
       rows({{0, 0}, {3, 0}, {5, 0}, {2, 4}, {1, 2}})},
      {rows({{0, 0}, {6, 0}, {3, 0}, {1, 0}, {5, 0}, {3, 5}}),
       rows({{0, 0}, {1, 0}, {3, 0}, {5, 0}, {6, 0}, {3, 5}}),
       rows({{0, 0}, {3, 0}, {1, 0}, {5, 0}, {6, 0}, {3, 5}})},
      {rows({{0, 0}, {4, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}}), rows({{0, 0}, {4, 0}, {4, 0}, {4, 4}, {0, 4}}),
       rows({{0, 0}, {4, 0}, {4, 0}, {4, 4}, {0, 4}})},
  };
  for (const Case& c : cases) {
    Points p = c.in;
    EXPECT_EQ(hull(kGraham, p), c.graham);
    p = c.in;
    if (!c.jarvis.empty()) {
      EXPECT_EQ(hull(kJarvis, p), c.jarvis);
    }
  }
}

TEST(ConvexHull, WhatEachDoesToTheCallersRows) {
  const Points in = rows({{0, 0}, {10, 0}, {5, 8}, {5, 3}, {4, 2}, {6, 2}});
  Points p = in;
  EXPECT_EQ(hull(kGraham, p), rows({{0, 0}, {10, 0}, {5, 8}}));
  EXPECT_EQ(p, rows({{0, 0}, {10, 0}, {6, 2}, {4, 2}, {5, 3}, {5, 8}}));
  // Three rows or fewer come back as they are, whatever they hold.
  for (Algo a : {kGraham, kJarvis, kDivide}) {
    for (const Points& small :
         {Points{}, rows({{1, 1}}), rows({{2, 2}, {2, 2}, {2, 2}}), rows({{0, 0}, {2, 0}, {1, 0}})}) {
      p = small;
      EXPECT_EQ(hull(a, p), small);
      EXPECT_EQ(p, small);
    }
  }
}

TEST(ConvexHull, GrahamKeepsCoincidentRowsInInputOrder) {
  // Many copies of few points, labelled by input position in a third element: after the sort the
  // copies of each point stand in input order (row 0, swapped out by the pivot, is unique).
  std::mt19937 g(17);
  for (int round = 0; round < 20; ++round) {
    Points p{{100, 100, 0}};
    for (int i = 1; i < 60; ++i) p.push_back({static_cast<int>(g() % 4), static_cast<int>(g() % 4), i});
    hull(kGraham, p);
    std::map<XY, int> last;
    for (std::size_t i = 1; i < p.size(); ++i) {
      const auto it = last.find({p[i][0], p[i][1]});
      EXPECT_TRUE(it == last.end() || it->second < p[i][2]) << round;
      last[{p[i][0], p[i][1]}] = p[i][2];
    }
  }
}

TEST(ConvexHull, DivideAndConquerFixedSets) {
  const std::vector<std::pair<Points, Points>> cases = {
      {rows({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}, {2, 0}, {4, 2}}),
       rows({{0, 0}, {4, 0}, {2, 0}, {4, 4}, {0, 4}, {4, 2}})},
      {rows({{3, 1}, {6, 2}, {7, 5}, {5, 8}, {2, 7}, {1, 4}, {4, 4}, {5, 5}}),
       rows({{1, 4}, {7, 5}, {5, 8}, {2, 7}, {3, 1}, {6, 2}})},
      {rows({{0, 0}, {1, 0}, {2, 0}, {3, 0}}), rows({{0, 0}, {3, 0}, {1, 0}, {2, 0}})},
      {rows({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}), rows({{0, 0}, {4, 4}, {1, 1}, {2, 2}, {3, 3}})},
      {rows({{2, 0}, {2, 3}, {2, 1}, {2, 5}}), rows({{2, 0}, {2, 0}, {2, 3}, {2, 1}, {2, 5}})},
      {rows({{0, 0}, {0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}}),
       rows({{0, 0}, {4, 0}, {0, 0}, {4, 4}, {0, 4}})},
      {rows({{0, 0}, {4, 0}, {2, 4}, {2, 1}}), rows({{0, 0}, {4, 0}, {2, 4}})},
  };
  for (const auto& c : cases) {
    Points p = c.first;
    EXPECT_EQ(hull(kDivide, p), c.second);
    EXPECT_EQ(p, c.first);
  }
}

TEST(ConvexHull, WholeRowsTravelAndShortRowsRaise) {
  const Points in{{0, 0, 7}, {4, 0, 8, 9}, {4, 4}, {0, 4, 1}, {2, 2, 5}};
  for (Algo a : {kGraham, kJarvis, kDivide}) {
    Points p = in;
    const Points h = hull(a, p);
    EXPECT_EQ(std::set<Points::value_type>(h.begin(), h.end()),
              (std::set<Points::value_type>{{0, 0, 7}, {4, 0, 8, 9}, {4, 4}, {0, 4, 1}}));
    Points bad{{0, 0}, {4, 0}, {4}, {0, 4}};
    const Points badBefore = bad;
    try {
      hull(a, bad);
      ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& e) {
      EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
    EXPECT_EQ(bad, badBefore);
  }
}

// ---- Cases the plain algorithms got wrong --------------------------------------------------

TEST(ConvexHull, GrahamWithRowsOnBothSidesOfThePivotLine) {
  // The pivot (0, 0) is the first lowest row; rows at angle 0 come first, those at angle π last.
  const Points in = rows({{0, 0}, {-1, 0}, {3, 0}, {-4, 0}, {1, 0}, {0, 5}, {1, 1}, {-2, 0}});
  Points p = in;
  EXPECT_EQ(hull(kGraham, p), rows({{0, 0}, {1, 0}, {3, 0}, {0, 5}, {-4, 0}, {-2, 0}, {-1, 0}}));
  EXPECT_EQ(p, rows({{0, 0}, {1, 0}, {3, 0}, {1, 1}, {0, 5}, {-1, 0}, {-2, 0}, {-4, 0}}));
  p = rows({{5, 0}, {2, 0}, {9, 0}, {0, 0}, {7, 0}});
  EXPECT_EQ(hull(kGraham, p), rows({{5, 0}, {7, 0}, {9, 0}, {2, 0}, {0, 0}}));
}

TEST(ConvexHull, JarvisWithCopiesOfTheStartAndNegativeX) {
  Points p = rows({{0, 0}, {0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}});
  EXPECT_EQ(hull(kJarvis, p), rows({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}}));
  p = rows({{0, 0}, {4, 4}, {0, 0}, {4, 0}, {0, 4}, {2, 2}});
  EXPECT_EQ(hull(kJarvis, p), rows({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}}));
  p = rows({{3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}});
  EXPECT_EQ(hull(kJarvis, p), p);
  p = rows({{-5, -5}, {5, -5}, {5, 5}, {-5, 5}, {0, 0}, {-5, 0}});
  EXPECT_EQ(hull(kJarvis, p), rows({{-5, -5}, {5, -5}, {5, 5}, {-5, 5}, {-5, 0}}));
}

TEST(ConvexHull, ExtremeCoordinatesAreExact) {
  const int lo = INT_MIN, hi = INT_MAX;
  const Points in =
      rows({{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}, {0, 0}, {hi - 1, hi - 1}, {0, lo}, {hi, 0}, {-1, hi}});
  const Points walk = rows({{lo, lo}, {0, lo}, {hi, lo}, {hi, 0}, {hi, hi}, {-1, hi}, {lo, hi}});
  Points p = in;
  EXPECT_EQ(hull(kGraham, p), walk);
  p = in;
  EXPECT_EQ(hull(kJarvis, p), walk);
  p = in;
  EXPECT_EQ(hull(kDivide, p).size(), 7u);

  // Any increasing map of each axis with the same scale keeps every decision, so the hull of the
  // stretched set is the stretched hull of the small one, order included.
  std::mt19937 g(7);
  constexpr std::int64_t kScale = 68174084;  // 63 · kScale spans almost the whole int range
  auto stretch = [](const Points& s) {
    Points r;
    auto at = [](int v) { return static_cast<int>(std::int64_t{INT_MIN} + std::int64_t{v} * kScale); };
    for (const auto& q : s) r.push_back({at(q[0]), at(q[1])});
    return r;
  };
  for (int round = 0; round < 25; ++round) {
    Points small;
    const std::size_t n = 4 + draw(g, 60);
    for (std::size_t i = 0; i < n; ++i) small.push_back({coord(g, 0, 63), coord(g, 0, 63)});
    for (Algo a : {kGraham, kJarvis, kDivide}) {
      Points s = small, big = stretch(small);
      EXPECT_EQ(hull(a, big), stretch(hull(a, s))) << "algorithm " << a << ", round " << round;
    }
  }
}

// ---- Random sets against the oracle --------------------------------------------------------

TEST(ConvexHull, RandomDistinctSets) {
  std::mt19937 g(2024);
  for (int round = 0; round < 60; ++round) {
    const std::vector<XY> pts = randomSet(g, 4 + draw(g, 497));
    for (Algo a : {kGraham, kJarvis, kDivide}) checkHull(a, pts, true);
  }
}

TEST(ConvexHull, RandomSetsWithDuplicates) {
  std::mt19937 g(99);
  for (int round = 0; round < 60; ++round) {
    std::vector<XY> pts = randomSet(g, 4 + draw(g, 200));
    if (round % 3 == 0) {
      for (auto& q : pts) q = {q.first / 200, q.second / 200};  // a coarse grid: many copies
    } else {
      const std::size_t copies = 1 + draw(g, static_cast<std::uint32_t>(pts.size()));
      for (std::size_t i = 0; i < copies; ++i)
        pts.push_back(pts[draw(g, static_cast<std::uint32_t>(pts.size()))]);
      // Copies of the extreme points, which every algorithm starts from.
      pts.push_back(*std::min_element(pts.begin(), pts.end(), [](const XY& a, const XY& b) {
        return a.second != b.second ? a.second < b.second : a.first < b.first;
      }));
      pts.push_back(*std::min_element(pts.begin(), pts.end()));
    }
    shuffle(pts, g);
    for (Algo a : {kGraham, kJarvis, kDivide}) checkHull(a, pts, false);
  }
}

TEST(ConvexHull, HundredThousandPoints) {
  std::mt19937 g(5);
  std::vector<XY> pts = randomSet(g, 100000);
  for (Algo a : {kDivide, kGraham}) checkHull(a, pts, true);
  // Every point on the hull: a parabola.
  std::vector<XY> curve;
  for (int x = -2000; x < 2000; ++x) curve.emplace_back(x, x * x);
  shuffle(curve, g);
  for (Algo a : {kDivide, kGraham}) checkHull(a, curve, true);
}

}  // namespace
