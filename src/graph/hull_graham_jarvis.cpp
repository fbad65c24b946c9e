// Convex hulls of Graph by Graham scan and by Jarvis march.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  std::int32_t x, y;
  std::size_t row;
};
struct PolarKeyLess {
  std::int64_t px, py;
  bool operator()(const PolarKey& a, const PolarKey& b) const {
    const std::int64_t ax = std::int64_t{a.x} - px, by = std::int64_t{b.y} - py, bx = std::int64_t{b.x} - px,
                       ay = std::int64_t{a.y} - py;
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

// A key that never decreases along the angular order: t = ax / (|ax| + ay) falls strictly from 1 at
// angle 0 to -1 at angle π, and the division, the subtraction, the scaling and the truncation each
// keep the order of their arguments, so the key can tie points of different angles but never
// reverse them. ax and |ax| + ay are exact in double (below 2^34). Copies of the pivot get 0.
std::uint32_t angleKey(std::int64_t ax, std::int64_t ay) {
  const std::int64_t d = (ax < 0 ? -ax : ax) + ay;
  if (d == 0) return 0;
  const double t = static_cast<double>(ax) / static_cast<double>(d);
  return static_cast<std::uint32_t>((1.0 - t) * 2147483647.0);
}

// Sorts keys (in row order) stably into the order of PolarKeyLess: ties (copies of one point) stay
// in row order. The cheap angle keys are sorted by radix first; as they never reverse the exact
// order, only runs of equal keys are left to sort by the exact comparator.
void polarSort(std::vector<PolarKey>& keys, const PolarKeyLess& less) {
  const std::size_t m = keys.size();
  if (m < 64 || m > 0xffffffffu) {
    std::stable_sort(keys.begin(), keys.end(), less);
    return;
  }
  struct Item {
    std::uint32_t key, index;
  };
  // Radix passes over the key's top bytes: two (65536 angles) while the points are few, more for
  // more points, so the runs left to the insertion sort stay short.
  const int first = m <= (std::size_t{1} << 12) ? 2 : m <= (std::size_t{1} << 20) ? 1 : 0;
  std::vector<Item> a(m), b(m);
  std::uint32_t count[4][256] = {};
  for (std::size_t i = 0; i < m; ++i) {
    const std::uint32_t k = angleKey(std::int64_t{keys[i].x} - less.px, std::int64_t{keys[i].y} - less.py);
    a[i] = {k, static_cast<std::uint32_t>(i)};
    for (int d = first; d < 4; ++d) ++count[d][(k >> (8 * d)) & 0xffu];
  }
  for (int d = first; d < 4; ++d) {
    std::uint32_t* c = count[d];
    if (c[(a[0].key >> (8 * d)) & 0xffu] == m) continue;  // one digit value throughout
    std::uint32_t sum = 0;
    for (int v = 0; v < 256; ++v) {
      const std::uint32_t t = c[v];
      c[v] = sum;
      sum += t;
    }
    for (const Item& it : a) b[c[(it.key >> (8 * d)) & 0xffu]++] = it;
    a.swap(b);
  }
  b = std::vector<Item>();
  // keys[i] := keys[a[i].index]: gathered into a new array, every load independent of the others.
  {
    std::vector<PolarKey> sorted(m);
    for (std::size_t i = 0; i < m; ++i) sorted[i] = keys[a[i].index];
    keys.swap(sorted);
  }
  // Points whose sorted key bytes differ are in their exact order already. A run of equal sorted
  // bytes holds points of (nearly) one angle in row order, as every radix pass keeps the order of
  // equal digits; sorting each run stably by the exact order leaves copies of one point in row
  // order: by insertion while the run is short, else by the library's stable sort.
  const std::uint32_t sortedBits = ~std::uint32_t{0} << (8 * first);
  for (std::size_t lo = 0; lo < m;) {
    std::size_t hi = lo + 1;
    while (hi < m && ((a[hi].key ^ a[lo].key) & sortedBits) == 0) ++hi;
    if (hi - lo > 32) {
      std::stable_sort(keys.begin() + static_cast<std::ptrdiff_t>(lo), keys.begin() + static_cast<std::ptrdiff_t>(hi),
                       less);
    } else {
      for (std::size_t i = lo + 1; i < hi; ++i) {
        const PolarKey t = keys[i];
        std::size_t j = i;
        for (; j > lo && less(t, keys[j - 1]); --j) keys[j] = keys[j - 1];
        keys[j] = t;
      }
    }
    lo = hi;
  }
}

// The largest |coordinate| of the rows.
std::int64_t flatLimit(const std::vector<Row>& points) {
  std::int64_t lim = 0;
  for (const Row& r : points) {
    const std::int64_t x = r[0] < 0 ? -std::int64_t{r[0]} : r[0], y = r[1] < 0 ? -std::int64_t{r[1]} : r[1];
    lim = std::max(lim, std::max(x, y));
  }
  return lim;
}

// The first row from i on (n when none) whose turn (c − o) × (row − o) is not positive, that is a row
// that may change the candidate c. Coordinates within ±2^25, so every turn is exact in double; two
// rows at a time where SSE2 is available, one at a time otherwise, with the same outcome.
std::size_t clearRun(const double* xd, const double* yd, std::size_t n, std::size_t o, std::size_t c,
                     std::size_t i) {
  const double ax = xd[c] - xd[o], ay = yd[c] - yd[o], ox = xd[o], oy = yd[o];
#if defined(__SSE2__)
  const __m128d vax = _mm_set1_pd(ax), vay = _mm_set1_pd(ay), vox = _mm_set1_pd(ox), voy = _mm_set1_pd(oy);
  const __m128d zero = _mm_setzero_pd();
  auto stop = [&](std::size_t j) {
    const __m128d bx = _mm_sub_pd(_mm_loadu_pd(xd + j), vox), by = _mm_sub_pd(_mm_loadu_pd(yd + j), voy);
    return _mm_cmple_pd(_mm_sub_pd(_mm_mul_pd(vax, by), _mm_mul_pd(vay, bx)), zero);
  };
  for (; i + 4 <= n; i += 4)
    if (_mm_movemask_pd(_mm_or_pd(stop(i), stop(i + 2))) != 0) break;
  for (; i + 2 <= n; i += 2) {
    const int m = _mm_movemask_pd(stop(i));
    if (m != 0) return (m & 1) ? i : i + 1;
  }
#endif
  for (; i < n; ++i)
    if (ax * (yd[i] - oy) - ay * (xd[i] - ox) <= 0) return i;
  return n;
}

struct Flat {
  std::int64_t x, y;
};

// The sign of (a − o) × (b − o), exact: in 64 bits when Narrow (every coordinate within ±2^30, so
// each product and the result stay within ±2^62), else in 128 bits where the differences need it.
template <bool Narrow>
int turn(const Flat& o, const Flat& a, const Flat& b) {
  const std::int64_t ax = a.x - o.x, by = b.y - o.y, ay = a.y - o.y, bx = b.x - o.x;
  if (Narrow || detail::narrow(ax, by, ay, bx)) {
    const std::int64_t v = ax * by - ay * bx;
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
  }
  return sign(detail::sub(detail::product(ax, by), detail::product(ay, bx)));
}

// Graham's scan over the points in angular order, p[0] the pivot; writes the hull's positions into h
// (room for n) and returns their count. run[j] is the position in h where the run of copies of
// h[j]'s point begins, so that copies of one point are tested as that single point.
template <bool Narrow>
std::size_t grahamScan(const Flat* p, std::size_t n, std::size_t* h) {
  auto same = [&](std::size_t a, std::size_t b) { return p[a].x == p[b].x && p[a].y == p[b].y; };
  // Left uninitialised: only the first hull-size entries are ever touched.
  const std::unique_ptr<std::size_t[]> runs(new std::size_t[n]);
  std::size_t* const run = runs.get();
  std::size_t t = 1;
  h[0] = 0, run[0] = 0;
  auto push = [&](std::size_t i) {
    run[t] = same(h[t - 1], i) ? run[t - 1] : t;
    h[t++] = i;
  };
  push(1);
  push(2);
  for (std::size_t i = 3; i < n; ++i) {
    // Drop the last point while q lies to the right of the last hull edge.
    while (t >= 2 && run[t - 1] > 0 && turn<Narrow>(p[h[run[t - 1] - 1]], p[h[t - 1]], p[i]) < 0) --t;
    push(i);
  }
  // The scan kept only the farthest point of the last ray; add the nearer ones, farthest first.
  // Copies of the farthest point itself are already in h.
  for (std::size_t j = n - 1; j-- > 0;) {
    if (t >= n) break;
    if (turn<Narrow>(p[0], p[n - 1], p[j]) != 0) break;
    if (!same(j, n - 1)) h[t++] = j;
  }
  return t;
}

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
  const std::int64_t px = points[0][0], py = points[0][1];
  std::vector<PolarKey> keys;
  keys.reserve(n - 1);
  for (std::size_t i = 1; i < n; ++i) keys.push_back({points[i][0], points[i][1], i});
  polarSort(keys, PolarKeyLess{px, py});

  // The scan reads the coordinates in their new order from a flat array.
  std::vector<Flat> p(n);
  const std::unique_ptr<std::size_t[]> h(new std::size_t[n]);  // uninitialised, see grahamScan
  p[0] = {px, py};
  std::int64_t lim = std::max(px < 0 ? -px : px, py < 0 ? -py : py);
  for (std::size_t i = 1; i < n; ++i) {
    const std::int64_t x = keys[i - 1].x, y = keys[i - 1].y;
    p[i] = {x, y};
    lim = std::max(lim, std::max(x < 0 ? -x : x, y < 0 ? -y : y));
  }
  // The rows move into place along the permutation's cycles (points[i] := points[keys[i − 1].row]);
  // a visited key's row becomes its own position. Moves do not allocate, so the caller's rows are
  // never left half sorted.
  for (std::size_t i = 1; i < n; ++i) {
    if (keys[i - 1].row == i) continue;
    Row held = std::move(points[i]);
    std::size_t j = i;
    for (;;) {
      const std::size_t from = keys[j - 1].row;
      keys[j - 1].row = j;
      if (from == i) {
        points[j] = std::move(held);
        break;
      }
      points[j] = std::move(points[from]);
      j = from;
    }
  }

  const std::size_t size = lim <= (std::int64_t{1} << 30) ? grahamScan<true>(p.data(), n, h.get())
                                                          : grahamScan<false>(p.data(), n, h.get());
  std::vector<Row> hull;
  hull.reserve(size);
  for (std::size_t i = 0; i < size; ++i) hull.push_back(points[h[i]]);
  return hull;
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

  // With every coordinate within ±2^25 the differences stay below 2^26, each product below 2^52 and
  // the orientation (a difference of two products) below 2^53: exact in double. Within ±2^30 it is
  // exact in 64-bit integers. The coordinates are then read from two flat arrays.
  const std::int64_t lim = flatLimit(points);
  const bool flat = lim <= (std::int64_t{1} << 30);
  const bool inDouble = lim <= (std::int64_t{1} << 25);
  std::vector<double> xd, yd;
  std::vector<std::int64_t> xs, ys;
  if (inDouble) {
    xd.reserve(n), yd.reserve(n);
    for (const Row& r : points) xd.push_back(r[0]), yd.push_back(r[1]);
  } else if (flat) {
    xs.reserve(n), ys.reserve(n);
    for (const Row& r : points) xs.push_back(r[0]), ys.push_back(r[1]);
  }
  auto flatSign = [&](std::size_t o, std::size_t a, std::size_t b) {
    if (inDouble) {
      const double v = (xd[a] - xd[o]) * (yd[b] - yd[o]) - (yd[a] - yd[o]) * (xd[b] - xd[o]);
      return v < 0 ? -1 : (v > 0 ? 1 : 0);
    }
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
    std::size_t r = 0;
    for (; r < n && !found; ++r) {
      if (used[r]) continue;
      if (sameXY(points[r], last)) {
        copiesOfLast.push_back(r);
        continue;
      }
      found = true;
      c = r;
      collinear.assign(1, r);
    }
    while (found && r < n) {
      if (inDouble) r = clearRun(xd.data(), yd.data(), n, lastIndex, c, r);  // rows with a positive turn
      if (r == n) break;
      if (!used[r]) {
        const int s = flat ? flatSign(lastIndex, c, r) : sign(orientation(last, points[c], points[r]));
        if (s < 0) {
          c = r;
          collinear.assign(1, r);
        } else if (s == 0) {
          collinear.push_back(r);
        }
      }
      ++r;
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
