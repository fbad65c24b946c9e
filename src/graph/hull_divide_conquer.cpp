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
using detail::XY;
using Indexes = std::vector<std::size_t>;

// Hull points beyond a chord among rows on one side of it, appended in the order of a recursion
// that takes the farthest point F, then everything beyond the edge a–F, then everything beyond
// the edge F–b. The recursion runs on an explicit stack, so depth costs no call stack, and the
// rows of the pending steps live in one arena, each step's above those pushed before it, so a
// step's children reuse its place and nothing is allocated per step.
class Sides {
 public:
  Sides(const std::vector<XY>& points, Indexes& hull) : points_(points), hull_(hull) {}

  void run(std::size_t a0, std::size_t b0, const Indexes& s0) {
    arena_.assign(s0.begin(), s0.end());
    stack_.push_back({a0, b0, 0, s0.size(), false});
    while (!stack_.empty()) {
      const Task task = stack_.back();
      stack_.pop_back();
      if (task.append) {
        hull_.insert(hull_.end(), arena_.begin() + static_cast<std::ptrdiff_t>(task.begin),
                     arena_.begin() + static_cast<std::ptrdiff_t>(task.end));
        arena_.resize(task.begin);
        continue;
      }
      step(task);
    }
  }

 private:
  // One step of the recursion: rows [begin, end) of the arena strictly on one side of the chord
  // a–b still to be searched, or (append set) rows to be appended to the hull as they stand.
  struct Task {
    std::size_t a;
    std::size_t b;
    std::size_t begin;
    std::size_t end;
    bool append;
  };

  void step(const Task& task) {
    const XY A = points_[task.a];
    const XY B = points_[task.b];
    const std::size_t* S = arena_.data() + task.begin;
    const std::size_t count = task.end - task.begin;

    // Farthest from the chord; the first one wins a tie.
    std::size_t f = S[0];
    detail::Wide best = detail::absolute(orientation(A, B, points_[f]));
    for (std::size_t k = 1; k < count; ++k) {
      const detail::Wide d = detail::absolute(orientation(A, B, points_[S[k]]));
      if (d > best) {
        f = S[k];
        best = d;
      }
    }
    hull_.push_back(f);
    const XY F = points_[f];

    // Outside edge A–F (L1), on its line (L2), outside edge F–B (L3), on its line (L4); the
    // rest lies inside the triangle A, F, B. flip turns the tests for the other side.
    const int flip = sign(orientation(A, F, B)) < 0 ? 1 : -1;
    for (Indexes& l : lists_) l.clear();
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t p = S[k];
      if (p == f) continue;
      const int c1 = flip * sign(orientation(A, F, points_[p]));
      if (c1 > 0) {
        lists_[0].push_back(p);
      } else if (c1 == 0) {
        lists_[1].push_back(p);
      } else {
        const int c2 = flip * sign(orientation(B, F, points_[p]));
        if (c2 < 0)
          lists_[2].push_back(p);
        else if (c2 == 0)
          lists_[3].push_back(p);
      }
    }

    // The children take the step's place in the arena. Edge A–F is handled before edge F–B, so
    // it goes on the stack last. The chord of the second edge is given from b to F.
    arena_.resize(task.begin);
    edge(task.b, f, lists_[2], lists_[3]);
    edge(task.a, f, lists_[0], lists_[1]);
  }

  void edge(std::size_t from, std::size_t to, const Indexes& beyond, const Indexes& on) {
    const Indexes* rows = beyond.empty() ? &on : &beyond;
    if (rows->empty()) return;
    const std::size_t begin = arena_.size();
    arena_.insert(arena_.end(), rows->begin(), rows->end());
    stack_.push_back({from, to, begin, arena_.size(), beyond.size() < 2});
  }

  const std::vector<XY>& points_;
  Indexes& hull_;
  std::vector<Task> stack_;
  Indexes arena_;
  Indexes lists_[4];
};

}  // namespace

std::vector<Row> Graph::convexHullDivideConquer(const std::vector<Row>& points) {
  const std::size_t n = points.size();
  if (n <= 3) return points;
  detail::requireXY(points);

  std::vector<XY> xy(n);
  for (std::size_t i = 0; i < n; ++i) xy[i] = {points[i][0], points[i][1]};

  // Leftmost and rightmost rows; ties keep the earlier row.
  std::size_t a = 0, b = 0;
  for (std::size_t i = 1; i < n; ++i) {
    if (xy[i].x < xy[a].x)
      a = i;
    else if (xy[i].x > xy[b].x)
      b = i;
  }

  Indexes hull{a, b};
  Indexes upper, lower, onChord;
  for (std::size_t i = 0; i < n; ++i) {
    if (i == a || i == b) continue;
    const int s = sign(orientation(xy[a], xy[b], xy[i]));
    if (s > 0)
      upper.push_back(i);
    else if (s < 0)
      lower.push_back(i);
    else
      onChord.push_back(i);
  }
  if (upper.empty() || lower.empty()) hull.insert(hull.end(), onChord.begin(), onChord.end());
  Sides sides(xy, hull);
  for (const Indexes* side : {&upper, &lower}) {
    if (side->size() == 1)
      hull.push_back((*side)[0]);
    else if (side->size() >= 2)
      sides.run(a, b, *side);
  }

  std::vector<Row> result;
  result.reserve(hull.size());
  for (std::size_t i : hull) result.push_back(points[i]);
  return result;
}

}  // namespace ZR
