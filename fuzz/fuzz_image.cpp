// imageProcessing: every operation on any image (ragged or empty rows, INT_MIN/INT_MAX pixels) and
// any kernel size; outputs have the documented shapes and are untouched when an operation fails.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "zr/imageProcessing.h"

namespace {

using Image = std::vector<std::vector<int>>;

// Rows, columns of row 0, and whether a later row is shorter than row 0.
struct Shape {
  std::size_t rows = 0, cols = 0;
  bool ragged = false;
};

template <class T>
Shape shapeOf(const std::vector<std::vector<T>>& m) {
  Shape s;
  s.rows = m.size();
  s.cols = m.empty() ? 0 : m[0].size();
  for (const auto& row : m) s.ragged = s.ragged || row.size() < s.cols;
  return s;
}

std::size_t interior(std::size_t n, std::size_t k) { return n >= k ? n - k + 1 : 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::imageProcessing ip;

  // Kernel sizes past 64 but below the int-range limit would be honest multi-gigabyte requests.
  int kernelSize = in.intMostly(-3, 24);
  if (kernelSize > 64 && kernelSize <= 46340) kernelSize %= 64;
  std::vector<std::vector<double>> kernel;
  const bool kernelOk =
      zrfuzz::guarded([&] { kernel = ip.getGaussianKernel(kernelSize, in.real(), in.byte() % 2 == 0); });
  ZR_FUZZ_CHECK(kernelOk == (kernelSize <= 46340));
  if (kernelOk) {
    const std::size_t n = kernelSize < 1 ? 0 : static_cast<std::size_t>(kernelSize);
    ZR_FUZZ_CHECK(zrfuzz::shaped(kernel, n, n));
  }

  const bool extreme = in.byte() % 3 == 0;
  const Image image = in.rows<int>(14, 14, [&] { return extreme ? in.int32() : in.range(0, 255); });
  const Shape s = shapeOf(image);

  const int box = in.intMostly(0, 6);
  std::vector<std::vector<double>> filtered{{7.0}};
  bool ok = zrfuzz::guarded([&] { ip.boxFilter(image, box, in.byte() % 2 == 0, filtered); });
  ZR_FUZZ_CHECK(ok != s.ragged);
  if (ok && box >= 1 && static_cast<std::size_t>(box) <= s.rows && static_cast<std::size_t>(box) <= s.cols)
    ZR_FUZZ_CHECK(zrfuzz::shaped(filtered, interior(s.rows, static_cast<std::size_t>(box)),
                                 interior(s.cols, static_cast<std::size_t>(box))));
  else if (ok)
    ZR_FUZZ_CHECK(filtered.empty());
  else
    ZR_FUZZ_CHECK(filtered.size() == 1 && filtered[0].size() == 1);

  Image gx{{1}}, gy{{2}}, mag{{3}}, dir{{4}};
  ok = zrfuzz::guarded([&] { ip.canny(image, gx, gy, mag, dir); });
  ZR_FUZZ_CHECK(ok != s.ragged);
  if (ok) {
    const bool big = s.rows >= 3 && s.cols >= 3;
    const std::size_t r = big ? s.rows - 2 : 0, c = big ? s.cols - 2 : 0;
    for (const Image* out : {&gx, &gy, &mag, &dir}) ZR_FUZZ_CHECK(zrfuzz::shaped(*out, r, c));
    for (const auto& row : dir)
      for (int d : row) ZR_FUZZ_CHECK(d >= 0 && d < 360);
    for (const auto& row : mag)
      for (int m : row) ZR_FUZZ_CHECK(m >= 0);
  } else {
    ZR_FUZZ_CHECK(gx == Image{{1}} && gy == Image{{2}} && mag == Image{{3}} && dir == Image{{4}});
  }
  Image sx, sy, sm;
  ok = zrfuzz::guarded([&] { ip.sobel(image, sx, sy, sm); });
  ZR_FUZZ_CHECK(ok != s.ragged);
  if (ok) ZR_FUZZ_CHECK(sx == gx && sy == gy && sm == mag);

  Image binary{{9, 9}};
  ok = zrfuzz::guarded([&] { ip.imageBinaryzation(image, binary); });
  ZR_FUZZ_CHECK(ok != s.ragged);
  if (ok) {
    ZR_FUZZ_CHECK(binary.size() == 1 + s.rows && (binary[0] == std::vector<int>{9, 9}));
    for (std::size_t i = 1; i < binary.size(); ++i) {
      ZR_FUZZ_CHECK(binary[i].size() == s.cols);
      for (int v : binary[i]) ZR_FUZZ_CHECK(v == 0 || v == 255);
    }
  }

  Image opened{{5}};
  ok = zrfuzz::guarded([&] { ip.imageopen(image, opened); });
  ZR_FUZZ_CHECK(ok != s.ragged);
  if (ok) {
    const bool big = s.rows >= 5 && s.cols >= 5;
    ZR_FUZZ_CHECK(zrfuzz::shaped(opened, big ? s.rows - 4 : 0, big ? s.cols - 4 : 0));
  }

  std::vector<std::vector<ZR::colorChannel>> colour = in.rows<ZR::colorChannel>(10, 10, [&] {
    return extreme ? ZR::colorChannel{in.int32(), in.int32(), in.int32()}
                   : ZR::colorChannel{in.range(0, 255), in.range(0, 255), in.range(0, 255)};
  });
  const Shape cs = shapeOf(colour);
  Image gray = in.byte() % 4 == 0 ? Image{{42}} : Image{};
  const Image grayBefore = gray;
  ok = zrfuzz::guarded([&] { ip.rgbImage2Grayscale(colour, gray); });
  ZR_FUZZ_CHECK(ok != cs.ragged || !grayBefore.empty());
  if (!grayBefore.empty() || !ok)
    ZR_FUZZ_CHECK(gray == grayBefore);
  else
    ZR_FUZZ_CHECK(zrfuzz::shaped(gray, cs.rows, cs.cols));
  return 0;
}
