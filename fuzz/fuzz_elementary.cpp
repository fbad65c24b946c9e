// foundationMath's integer helpers with any ints, caculusMath on any polynomials and intervals,
// convolutionMath on any sequences and matrices (ragged and empty rows included).

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "fuzz_support.h"
#include "zr/caculusMath.h"
#include "zr/convolutionMath.h"
#include "zr/foundationMath.h"

namespace {

using Mat = std::vector<std::vector<double>>;

bool raggedRows(const Mat& m) {
  for (const auto& row : m)
    if (row.size() < m[0].size()) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);

  ZR::foundationMath f;
  const int a = in.int32();
  const int b = in.int32();
  const int r = f.rem(a, b);
  if (b != 0 && !(a == std::numeric_limits<int>::min() && b == -1)) ZR_FUZZ_CHECK(r == a % b);
  const int g = f.gcd(a, b);
  if (b != 0 && g != 0 && g != -1) ZR_FUZZ_CHECK(f.rem(a, g) == 0 && f.rem(b, g) == 0);
  (void)f.lcm(a, b);
  (void)f.factorial(a);
  const std::vector<int> factors = f.factor(a);
  std::int64_t product = 1;
  for (std::size_t i = 0; i < factors.size(); ++i) {
    ZR_FUZZ_CHECK(factors[i] >= 2 && (i == 0 || factors[i - 1] <= factors[i]));
    product *= factors[i];
  }
  ZR_FUZZ_CHECK(a < 2 ? factors.empty() : product == a);

  ZR::caculusMath c;
  const std::vector<double> p = in.reals(12);
  const std::vector<double> interval = in.reals(3);
  const auto pCopy = p;
  const auto intervalCopy = interval;
  bool ok = zrfuzz::guarded([&] { (void)c.polyint(p, interval); });
  ZR_FUZZ_CHECK(ok == (p.empty() || interval.size() >= 2));
  std::vector<double> d;
  ok = zrfuzz::guarded([&] { d = c.polyder(p); });
  ZR_FUZZ_CHECK(ok == !p.empty() && (!ok || d.size() == p.size() - 1));
  ZR_FUZZ_CHECK(zrfuzz::same(p, pCopy) && zrfuzz::same(interval, intervalCopy));

  ZR::convolutionMath cv;
  const std::vector<double> u = in.reals(40);
  const std::vector<double> v = in.reals(40);
  std::vector<double> w = in.reals(8);
  const auto wBefore = w;
  ok = zrfuzz::guarded([&] { cv.conv(u, v, w); });
  ZR_FUZZ_CHECK(ok == !(u.empty() && v.empty()));
  ZR_FUZZ_CHECK(ok ? w.size() == u.size() + v.size() - 1 : zrfuzz::same(w, wBefore));

  const Mat A = in.realRows(6, 6);
  const Mat B = in.realRows(6, 6);
  Mat C = in.realRows(3, 3);
  const Mat cBefore = C;
  const std::size_t na = A.empty() ? 0 : A[0].size();
  const std::size_t nb = B.empty() ? 0 : B[0].size();
  const bool ragged = (!A.empty() && raggedRows(A)) || (!B.empty() && raggedRows(B));
  ok = zrfuzz::guarded([&] { cv.conv2(A, B, C); });
  ZR_FUZZ_CHECK(ok == (!ragged && na + nb > 0));
  if (ok) {
    const std::size_t rows = A.size() + B.size() - 1;
    ZR_FUZZ_CHECK(zrfuzz::shaped(C, rows, na + nb - 1));
  } else {
    ZR_FUZZ_CHECK(zrfuzz::same(C, cBefore));
  }
  return 0;
}
