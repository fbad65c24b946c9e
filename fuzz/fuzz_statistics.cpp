// statisticsMath: mean, variance, standard deviation and normal densities of any samples; the
// row median of any matrix and any dim.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "zr/statisticsMath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::statisticsMath s;

  const std::vector<double> sample = in.reals(64);
  double mean = 1.0, var = 1.0, sd = 1.0;
  s.mean(sample, mean);
  s.var(sample, var);
  s.std(sample, sd);
  if (sample.empty()) {
    ZR_FUZZ_CHECK(std::isnan(mean));
  }
  ZR_FUZZ_CHECK(!(var < 0.0) && !(sd < 0.0));

  const double mu = in.real();
  const double sigma = in.real();
  const double muCopy = mu;
  const double sigmaCopy = sigma;
  std::vector<double> pdf = in.reals(3);
  const std::vector<double> before = pdf;
  const std::uint8_t alias = in.byte();
  if (alias % 4 == 0 && !pdf.empty()) {
    // mu and sigma may refer into pdf itself, which grows (and may move) during the call.
    const std::vector<double> aliased = pdf;
    std::vector<double> expected = pdf;
    s.normalpdf(sample, aliased[0], aliased.back(), expected);
    ZR_FUZZ_CHECK(zrfuzz::guarded([&] { s.normalpdf(sample, pdf[0], pdf.back(), pdf); }));
    ZR_FUZZ_CHECK(zrfuzz::same(pdf, expected));
  } else {
    ZR_FUZZ_CHECK(zrfuzz::guarded([&] { s.normalpdf(sample, mu, sigma, pdf); }));
    ZR_FUZZ_CHECK(zrfuzz::same(mu, muCopy) && zrfuzz::same(sigma, sigmaCopy));
  }
  ZR_FUZZ_CHECK(pdf.size() == before.size() + sample.size());
  for (std::size_t i = 0; i < before.size(); ++i) ZR_FUZZ_CHECK(zrfuzz::same(pdf[i], before[i]));

  const auto matrix = in.realRows(8, 12);
  const auto matrixCopy = matrix;
  const int dim = in.intMostly(0, 3);
  std::vector<double> med;
  const bool ok = zrfuzz::guarded([&] { med = s.median(matrix, dim); });
  ZR_FUZZ_CHECK(zrfuzz::same(matrix, matrixCopy));
  bool shorter = false;
  for (const auto& row : matrix) shorter = shorter || row.size() < matrix[0].size();
  if (dim == 2) ZR_FUZZ_CHECK(ok && med.size() == matrix.size());
  if (dim == 1 && shorter) ZR_FUZZ_CHECK(!ok);
  if (dim == 1 && !shorter) ZR_FUZZ_CHECK(ok && med.size() == (matrix.empty() ? 0 : matrix[0].size()));
  if (dim != 1 && dim != 2) ZR_FUZZ_CHECK(ok && med.empty());
  return 0;
}
