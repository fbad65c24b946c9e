// Convex hulls of Graph by Graham scan and by Jarvis march.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "graph/orientation.h"
#include "zr/Graph.h"

namespace ZR {
namespace {

using detail::orientation;
using detail::Row;
using detail::sameXY;
using detail::sign;
using detail::squaredDistance;

// Angular order around the pivot p: counter-clockwise from p, nearer first along one ray. Points on
// p's horizontal line on both sides of it are collinear with p but not on one ray; those at
// angle 0 come before those at angle π, which keeps the order a strict weak ordering.
// Compared on compact keys holding a row's x, y and index.
struct PolarKey {
  std::int64_t x, y;
  std::size_t row;
};
struct PolarKeyLess {
  std::int64_t px, py;
  bool operator()(const PolarKey& a, const PolarKey& b) const {
    const std::int64_t ax = a.x - px, by = b.y - py, bx = b.x - px, ay = a.y - py;
    const bool small = detail::narrow(ax, by, bx, ay);  // exact in 64 bits
    const detail::Wide c1 = small ? detail::widen(ax * by) : detail::product(ax, by);
    const detail::Wide c2 = small ? detail::widen(bx * ay) : detail::product(bx, ay);
    if (c1 == c2) {
      if (a.y == py && b.y == py) {
        if (a.x > px && b.x < px) return true;
        if (a.x < px && b.x > px) return false;
      }
      return distance(ax, ay) < distance(bx, by);
    }
    return c1 > c2;
  }
  static detail::Wide distance(std::int64_t x, std::int64_t y) {
    if (detail::narrow(x, y, 0, 0)) return detail::widen(x * x + y * y);
    return detail::add(detail::product(x, x), detail::product(y, y));
  }
};

std::vector<Row> copyRows(const std::vector<Row>& points, const std::vector<std::size_t>& indexes) {
  std::vector<Row> hull;
  hull.reserve(indexes.size());
  for (std::size_t i : indexes) hull.push_back(points[i]);
  return hull;
}

}  // namespace

std::vector<Row> Graph::convexHullGraham(std::vector<Row>& points) {
  const std::size_t n = points.size();
  if (n <= 3) return points;
  detail::requireXY(points);

  // Pivot: the first row of smallest y.
  std::size_t k = 0;
  for (std::size_t i = 1; i < n; ++i)
    if (points[i][1] < points[k][1]) k = i;
  std::swap(points[0], points[k]);
  // Rows that the order ties are coincident points, which may differ beyond x and y; a stable sort keeps
  // them in input order, so the result does not depend on the standard library's sort.
  // The order is a strict weak ordering, so the stable sort's result is fixed by it alone: sorting
  // compact keys (x, y, row) and then moving the rows into place gives the rows' own sort.
  const Row pivot{points[0][0], points[0][1]};
  std::vector<PolarKey> keys;
  keys.reserve(n - 1);
  for (std::size_t i = 1; i < n; ++i) keys.push_back({points[i][0], points[i][1], i});
  std::vector<Row> sorted;
  sorted.reserve(n - 1);  // every allocation before the first row moves
  std::stable_sort(keys.begin(), keys.end(), PolarKeyLess{pivot[0], pivot[1]});
  for (const PolarKey& key : keys) sorted.push_back(std::move(points[key.row]));
  for (std::size_t i = 1; i < n; ++i) points[i] = std::move(sorted[i - 1]);

  // Scan over row indexes. run[j] is the position in h where the run of copies of h[j]'s point
  // begins, so that copies of one point are tested as that single point.
  std::vector<std::size_t> h{0};
  std::vector<std::size_t> run{0};
  auto push = [&](std::size_t i) {
    run.push_back(sameXY(points[h.back()], points[i]) ? run.back() : h.size());
    h.push_back(i);
  };
  push(1);
  push(2);
  for (std::size_t i = 3; i < n; ++i) {
    // Drop the last point while q lies to the right of the last hull edge.
    while (h.size() >= 2 && run.back() > 0 &&
           sign(orientation(points[h[run.back() - 1]], points[h.back()], points[i])) < 0) {
      h.pop_back();
      run.pop_back();
    }
    push(i);
  }

  // The scan kept only the farthest point of the last ray; add the nearer ones, farthest first.
  // Copies of the farthest point itself are already in h.
  const Row& last = points[n - 1];
  for (std::size_t j = n - 1; j-- > 0;) {
    if (h.size() >= n) break;
    if (sign(orientation(points[0], last, points[j])) != 0) break;
    if (!sameXY(points[j], last)) h.push_back(j);
  }
  return copyRows(points, h);
}

std::vector<Row> Graph::convexHullJarvis(const std::vector<Row>& points) {
  const std::size_t n = points.size();
  if (n <= 3) return points;
  detail::requireXY(points);

  // Start: smallest y, then smallest x, then first in input order.
  std::size_t start = 0;
  for (std::size_t i = 1; i < n; ++i) {
    const Row& r = points[i];
    const Row& s = points[start];
    if (r[1] < s[1] || (r[1] == s[1] && r[0] < s[0])) start = i;
  }

  // With every coordinate within ±2^30 the differences stay below 2^31 and the orientation is
  // exact in 64 bits; the coordinates are then read from two flat arrays.
  bool flat = true;
  for (const Row& r : points)
    if (r[0] < -(1 << 30) || r[0] > (1 << 30) || r[1] < -(1 << 30) || r[1] > (1 << 30)) flat = false;
  std::vector<std::int64_t> xs, ys;
  if (flat) {
    xs.reserve(n), ys.reserve(n);
    for (const Row& r : points) xs.push_back(r[0]), ys.push_back(r[1]);
  }
  auto flatSign = [&](std::size_t o, std::size_t a, std::size_t b) {
    const std::int64_t v = (xs[a] - xs[o]) * (ys[b] - ys[o]) - (ys[a] - ys[o]) * (xs[b] - xs[o]);
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
  };

  // The caller's rows are only read; which rows are taken is kept here.
  std::vector<char> used(n, 0);
  std::vector<std::size_t> h;
  auto take = [&](std::size_t i) {
    h.push_back(i);
    used[i] = 1;
  };
  take(start);

  std::vector<std::size_t> collinear;  // the candidate and every free row collinear with it
  std::vector<std::size_t> copiesOfLast;
  for (;;) {
    const Row& last = points[h.back()];
    if (h.size() > 1 && sameXY(last, points[start])) {
      // Back at the start: its remaining copies close the walk.
      for (std::size_t i = 0; i < n; ++i)
        if (!used[i] && sameXY(points[i], last)) take(i);
      break;
    }

    // Pick the most clockwise free row as seen from last. A copy of last cannot serve as the
    // candidate (every row would be collinear with it); once a candidate exists, copies of last
    // are collinear with it like any row on that line.
    bool found = false;
    std::size_t c = 0;
    collinear.clear();
    copiesOfLast.clear();
    const std::size_t lastIndex = h.back();
    for (std::size_t i = 0; i < n; ++i) {
      if (used[i]) continue;
      if (!found) {
        if (sameXY(points[i], last)) {
          copiesOfLast.push_back(i);
          continue;
        }
        found = true;
        c = i;
        collinear.assign(1, i);
        continue;
      }
      const int s = flat ? flatSign(lastIndex, c, i) : sign(orientation(last, points[c], points[i]));
      if (s < 0) {
        c = i;
        collinear.assign(1, i);
      } else if (s == 0) {
        collinear.push_back(i);
      }
    }
    if (!found) {
      for (std::size_t i : copiesOfLast) take(i);  // nothing but copies of last is left
      break;
    }

    // The start point more clockwise than the candidate: the wrap is complete. A zero result
    // goes on, so the points on the edge back to the start are collected.
    if (sign(orientation(last, points[c], points[start])) < 0) break;

    if (collinear.size() == 1) {
      take(c);
      continue;
    }
    std::size_t far = collinear[0];
    detail::Wide farDistance = squaredDistance(last, points[far]);
    for (std::size_t i : collinear) {
      const detail::Wide d = squaredDistance(last, points[i]);
      if (d > farDistance) {
        far = i;
        farDistance = d;
      }
    }
    for (std::size_t i : collinear)
      if (i != far) take(i);
    take(far);
  }
  return copyRows(points, h);
}

}  // namespace ZR
