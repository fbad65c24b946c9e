// SVD::compute on any matrix: any shape (no rows, empty, ragged), NaN and infinities, and result
// containers that already hold anything.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "zr/SVD.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::SVD svd;

  const std::uint8_t mode = in.byte();
  // Mostly moderate values, so the Jacobi passes converge and more shapes get explored per second.
  const auto a = (mode & 1) != 0 ? in.realRows(8, 8) : in.rows<double>(8, 8, [&in] { return in.moderate(); });
  auto u = in.realRows(2, 2);
  auto s = (mode & 2) != 0 ? in.realRows(2, 2) : std::vector<std::vector<double>>{};
  auto v = in.realRows(2, 2);
  const auto uBefore = u;
  const auto sBefore = s;
  const auto vBefore = v;

  const bool ok = zrfuzz::guarded([&] { svd.compute(a, u, s, v); });
  bool shorter = false;
  for (const auto& row : a) shorter = shorter || row.size() < a[0].size();
  if (shorter) {
    // Refused before anything is written.
    ZR_FUZZ_CHECK(!ok);
    ZR_FUZZ_CHECK(zrfuzz::same(u, uBefore) && zrfuzz::same(s, sBefore) && zrfuzz::same(v, vBefore));
    return 0;
  }
  const std::size_t m = a.size();
  const std::size_t n = a.empty() ? 0 : a[0].size();
  ZR_FUZZ_CHECK(ok);
  ZR_FUZZ_CHECK(zrfuzz::shaped(u, m, m));
  ZR_FUZZ_CHECK(zrfuzz::shaped(s, m, n));
  ZR_FUZZ_CHECK(zrfuzz::shaped(v, n, n));
  return 0;
}
