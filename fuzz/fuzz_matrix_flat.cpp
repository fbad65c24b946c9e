// mathMatrix on flat row-major arrays: transpose, product, trace, in-place inverse and determinant,
// each array allocated exactly as large as its dimensions say (so AddressSanitizer catches any
// access past it), with every dimension reachable down to INT_MIN.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "zr/mathMatrix.h"

namespace {

// The number of entries an r × c array holds; a dimension below 1 makes it empty.
std::size_t entries(std::int32_t r, std::int32_t c) {
  return r < 1 || c < 1 ? 0 : static_cast<std::size_t>(r) * static_cast<std::size_t>(c);
}

// A dimension: any negative value or zero, or a positive one up to max.
std::int32_t dimension(zrfuzz::Input& in, std::int32_t max) {
  const std::int32_t v = in.intMostly(-1, max);
  return v > max ? v % (max + 1) : v;
}

struct Array {
  std::unique_ptr<double[]> data;
  std::vector<double> copy;
  Array(zrfuzz::Input& in, std::size_t n) : data(new double[n]), copy(n) {
    for (std::size_t i = 0; i < n; ++i) data[i] = copy[i] = in.real();
  }
  bool unchanged() const {
    for (std::size_t i = 0; i < copy.size(); ++i)
      if (!zrfuzz::same(data[i], copy[i])) return false;
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::mathMatrix mm;

  switch (in.byte() % 5) {
    case 0: {
      const std::int32_t rows = dimension(in, 12);
      const std::int32_t cols = dimension(in, 12);
      Array src(in, entries(rows, cols));
      Array dst(in, entries(rows, cols));
      zrfuzz::guarded([&] { mm.rotateMat(src.data.get(), dst.data.get(), rows, cols); });
      ZR_FUZZ_CHECK(src.unchanged());
      break;
    }
    case 1: {
      const std::int32_t m = dimension(in, 10);
      const std::int32_t k = dimension(in, 10);
      const std::int32_t n = dimension(in, 10);
      Array a(in, entries(m, k));
      Array b(in, entries(k, n));
      Array c(in, entries(m, n));
      zrfuzz::guarded([&] { mm.matrixMulmats(a.data.get(), b.data.get(), c.data.get(), m, k, n); });
      ZR_FUZZ_CHECK(a.unchanged() && b.unchanged());
      break;
    }
    case 2: {
      const std::int32_t n = dimension(in, 16);
      Array a(in, entries(n, n));
      zrfuzz::guarded([&] {
        const double t = mm.traceMat(a.data.get(), n);
        if (n < 1) ZR_FUZZ_CHECK(zrfuzz::same(t, 0.0));
      });
      ZR_FUZZ_CHECK(a.unchanged());
      break;
    }
    case 3: {
      // Orders above the 20 the exchange records hold are reachable too.
      const std::int32_t n = dimension(in, 24);
      Array a(in, entries(n, n));
      zrfuzz::guarded([&] { mm.invMat(a.data.get(), n); });
      if (n < 1) ZR_FUZZ_CHECK(a.unchanged());
      break;
    }
    default: {
      // The expansion costs (cols)·(cols − 1)·… leaf minors; these bounds keep one call fast.
      const std::int32_t rows = dimension(in, 6);
      const std::int32_t cols = dimension(in, 8);
      Array a(in, entries(rows, cols));
      zrfuzz::guarded([&] { (void)mm.detMatrix(a.data.get(), rows, cols); });
      ZR_FUZZ_CHECK(a.unchanged());
      break;
    }
  }
  return 0;
}
