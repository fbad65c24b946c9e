// Divide-and-conquer convex hull of Graph.

#include <cstddef>
#include <utility>
#include <vector>

#include "graph/orientation.h"
#include "zr/Graph.h"

namespace ZR {
namespace {

using detail::orientation;
using detail::Row;
using detail::sign;
using Indexes = std::vector<std::size_t>;

// One step of the recursion: rows strictly on one side of the chord a–b still to be searched, or
// (append set) rows to be appended to the hull as they stand.
struct Task {
  std::size_t a;
  std::size_t b;
  Indexes rows;
  bool append;
};

// Hull points beyond the chord a–b among the rows s (two or more), appended in the order of a
// recursion that takes the farthest point F, then everything beyond the edge a–F, then everything
// beyond the edge F–b. The recursion runs on an explicit stack, so depth costs no call stack.
void divideConquerSide(std::size_t a0, std::size_t b0, const std::vector<Row>& points, Indexes s0,
                       Indexes& hull) {
  std::vector<Task> stack;
  stack.push_back({a0, b0, std::move(s0), false});
  while (!stack.empty()) {
    Task task = std::move(stack.back());
    stack.pop_back();
    if (task.append) {
      hull.insert(hull.end(), task.rows.begin(), task.rows.end());
      continue;
    }
    const Row& A = points[task.a];
    const Row& B = points[task.b];
    const Indexes& S = task.rows;

    // Farthest from the chord; the first one wins a tie.
    std::size_t f = S[0];
    detail::Wide best = detail::absolute(orientation(A, B, points[f]));
    for (std::size_t i : S) {
      const detail::Wide d = detail::absolute(orientation(A, B, points[i]));
      if (d > best) {
        f = i;
        best = d;
      }
    }
    hull.push_back(f);
    const Row& F = points[f];

    // Outside edge A–F (L1), on its line (L2), outside edge F–B (L3), on its line (L4); the
    // rest lies inside the triangle A, F, B. flip turns the tests for the other side.
    const int flip = sign(orientation(A, F, B)) < 0 ? 1 : -1;
    Indexes l1, l2, l3, l4;
    for (std::size_t p : S) {
      if (p == f) continue;
      const int c1 = flip * sign(orientation(A, F, points[p]));
      if (c1 > 0) {
        l1.push_back(p);
      } else if (c1 == 0) {
        l2.push_back(p);
      } else {
        const int c2 = flip * sign(orientation(B, F, points[p]));
        if (c2 < 0)
          l3.push_back(p);
        else if (c2 == 0)
          l4.push_back(p);
      }
    }

    // Edge A–F is handled before edge F–B, so it goes on the stack last. The chord of the
    // second edge is given from b to F.
    auto edge = [&stack](std::size_t from, std::size_t to, Indexes&& beyond, Indexes&& on) {
      if (beyond.size() >= 2)
        stack.push_back({from, to, std::move(beyond), false});
      else if (beyond.size() == 1)
        stack.push_back({from, to, std::move(beyond), true});
      else if (!on.empty())
        stack.push_back({from, to, std::move(on), true});
    };
    edge(task.b, f, std::move(l3), std::move(l4));
    edge(task.a, f, std::move(l1), std::move(l2));
  }
}

}  // namespace

std::vector<Row> Graph::convexHullDivideConquer(const std::vector<Row>& points) {
  const std::size_t n = points.size();
  if (n <= 3) return points;
  detail::requireXY(points);

  // Leftmost and rightmost rows; ties keep the earlier row.
  std::size_t a = 0, b = 0;
  for (std::size_t i = 1; i < n; ++i) {
    if (points[i][0] < points[a][0])
      a = i;
    else if (points[i][0] > points[b][0])
      b = i;
  }

  Indexes hull{a, b};
  Indexes upper, lower, onChord;
  for (std::size_t i = 0; i < n; ++i) {
    if (i == a || i == b) continue;
    const int s = sign(orientation(points[a], points[b], points[i]));
    if (s > 0)
      upper.push_back(i);
    else if (s < 0)
      lower.push_back(i);
    else
      onChord.push_back(i);
  }
  if (upper.empty() || lower.empty()) hull.insert(hull.end(), onChord.begin(), onChord.end());
  for (Indexes* side : {&upper, &lower}) {
    if (side->size() == 1)
      hull.push_back((*side)[0]);
    else if (side->size() >= 2)
      divideConquerSide(a, b, points, std::move(*side), hull);
  }

  std::vector<Row> result;
  result.reserve(hull.size());
  for (std::size_t i : hull) result.push_back(points[i]);
  return result;
}

}  // namespace ZR
