// Graph: the Bezier operations on any control points (short y, short x, extreme ints) and the
// three convex hulls on any point set (ragged rows, duplicates, INT_MIN/INT_MAX coordinates).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "zr/Graph.h"

namespace {

using Rows = std::vector<std::vector<int>>;

bool inputRow(const Rows& points, const std::vector<int>& row) {
  return std::find(points.begin(), points.end(), row) != points.end();
}

void checkHull(const Rows& points, const Rows& hull, bool ok) {
  if (!ok) return;
  if (points.size() <= 3) ZR_FUZZ_CHECK(hull == points);
  ZR_FUZZ_CHECK(hull.size() <= points.size() + 1);
  for (const auto& row : hull) ZR_FUZZ_CHECK(inputRow(points, row));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::Graph g;

  // Bezier: rows are appended behind what the curve held; a failure appends nothing.
  const std::vector<int> x = in.ints(24);
  std::vector<int> y = in.ints(24);
  if (in.byte() % 2 == 0) y.resize(x.size());  // usually as many y as x
  for (int which = 0; which < 4; ++which) {
    std::vector<std::vector<double>> curve(in.count(2), std::vector<double>{1.0, 2.0});
    const auto before = curve;
    const bool ok = zrfuzz::guarded([&] {
      switch (which) {
        case 0:
          g.bezier_n(x, y, in.int32(), curve);
          break;
        case 1:
          g.bezier_1(x, y, in.int32(), curve);
          break;
        case 2:
          g.bezier_2(x, y, in.int32(), curve);
          break;
        default:
          g.bezier_3(x, y, in.int32(), curve);
          break;
      }
    });
    const std::size_t added = which == 0 ? 2000 : 501;
    ZR_FUZZ_CHECK(curve.size() == before.size() + (ok ? added : 0));
    for (std::size_t i = 0; i < before.size(); ++i) ZR_FUZZ_CHECK(zrfuzz::same(curve[i], before[i]));
    for (std::size_t i = before.size(); i < curve.size(); ++i) ZR_FUZZ_CHECK(curve[i].size() == 2);
    const std::size_t need = which == 0 ? x.size() : static_cast<std::size_t>(which + 1);
    if (x.size() >= need && y.size() >= x.size() && (which != 1 || y.size() >= 2)) ZR_FUZZ_CHECK(ok);
  }

  // Hulls on small or extreme coordinates, sometimes with ragged rows and duplicates.
  const bool extreme = in.byte() % 4 == 0;
  Rows points = in.rows<int>(80, 3, [&] { return extreme ? in.int32() : in.range(-20, 20); });
  for (std::size_t i = in.count(4); i > 0 && !points.empty(); --i)
    points.push_back(points[in.count(points.size() - 1)]);
  const Rows original = points;
  bool shortRow = false;
  for (const auto& row : points) shortRow = shortRow || row.size() < 2;
  const bool mustFail = shortRow && points.size() >= 4;

  Rows hull;
  bool ok = zrfuzz::guarded([&] { hull = g.convexHullJarvis(points); });
  ZR_FUZZ_CHECK(ok != mustFail && points == original);
  checkHull(original, hull, ok);

  ok = zrfuzz::guarded([&] { hull = g.convexHullDivideConquer(points); });
  ZR_FUZZ_CHECK(ok != mustFail && points == original);
  checkHull(original, hull, ok);

  ok = zrfuzz::guarded([&] { hull = g.convexHullGraham(points); });
  ZR_FUZZ_CHECK(ok != mustFail);
  if (!ok) ZR_FUZZ_CHECK(points == original);
  Rows sortedBefore = original, sortedAfter = points;  // Graham only reorders the rows
  std::sort(sortedBefore.begin(), sortedBefore.end());
  std::sort(sortedAfter.begin(), sortedAfter.end());
  ZR_FUZZ_CHECK(sortedBefore == sortedAfter);
  checkHull(original, hull, ok);
  return 0;
}
