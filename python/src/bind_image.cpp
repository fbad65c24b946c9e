// zr.imageProcessing: images are 2-D int32 arrays, colour images (R, C, 3) int32 (red, green, blue).

#include <zr/imageProcessing.h>

#include "convert.h"
#include "module.h"

namespace zrpy {
namespace {

using Image = std::vector<std::vector<int>>;

std::vector<std::vector<ZR::colorChannel>> colourImage(py::handle obj, const Param& p) {
  ArrayI32 a = toI32(obj, p);
  if (a.ndim() != 3 || a.shape(2) != 3) throwShape(p, "(rows, cols, 3)", a);
  const auto r = static_cast<std::size_t>(a.shape(0));
  const auto c = static_cast<std::size_t>(a.shape(1));
  const std::int32_t* d = a.data();
  std::vector<std::vector<ZR::colorChannel>> out(r, std::vector<ZR::colorChannel>(c));
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j, d += 3) out[i][j] = {d[0], d[1], d[2]};
  return out;
}

}  // namespace

void bindImage(py::module_& m) {
  py::module_ ip =
      submodule(m, "imageProcessing",
                "Kernels, Sobel gradients, grayscale, Otsu binarisation and opening on int32 images "
                "(2-D arrays). Outputs cover only the pixels where the whole kernel fits.");
  ip.def(
      "getGaussianKernel",
      [](int size, double sigma, bool normalise) {
        return fromRows(ZR::imageProcessing().getGaussianKernel(size, sigma, normalise));
      },
      py::arg("size"), py::arg("sigma"), py::arg("normalise"),
      "(size, size) float64 Gaussian kernel: exp(-(x^2 + y^2) / (2 sigma^2)) / (2 pi sigma^2); "
      "normalise divides by the sum, otherwise scaled by 1/corner and truncated.");
  ip.def(
      "boxFilter",
      [](ArrayLike image, int size, bool normalise) {
        std::vector<std::vector<double>> filtered;
        ZR::imageProcessing().boxFilter(rowsI32(image, {"boxFilter", "image"}), size, normalise, filtered);
        return fromRows(filtered);
      },
      py::arg("image"), py::arg("size"), py::arg("normalise"),
      "Window sums (means when normalise) of size x size windows, (R - size + 1, C - size + 1) "
      "float64; empty when size < 1 or larger than the image.");
  ip.def(
      "sobel",
      [](ArrayLike image) {
        Image gx, gy, mag;
        ZR::imageProcessing().sobel(rowsI32(image, {"sobel", "image"}), gx, gy, mag);
        return py::make_tuple(fromRows(gx), fromRows(gy), fromRows(mag));
      },
      py::arg("image"),
      "Returns (gx, gy, magnitude), each (R - 2, C - 2) int32: the Sobel gradients of the interior "
      "pixels and trunc(sqrt(gx^2 + gy^2)).");
  ip.def(
      "canny",
      [](ArrayLike image) {
        Image gx, gy, mag, dir;
        ZR::imageProcessing().canny(rowsI32(image, {"canny", "image"}), gx, gy, mag, dir);
        return py::make_tuple(fromRows(gx), fromRows(gy), fromRows(mag), fromRows(dir));
      },
      py::arg("image"),
      "Returns sobel's three arrays plus direction, whole degrees 0 ... 359 of atan2(gy, gx).");
  ip.def(
      "rgbImage2Grayscale",
      [](ArrayLike colour) {
        Image gray;
        ZR::imageProcessing().rgbImage2Grayscale(colourImage(colour, {"rgbImage2Grayscale", "colour"}), gray);
        return fromRows(gray);
      },
      py::arg("colour"),
      "(R, C, 3) int32 colour image to (R, C) int32 gray: (11 red + 16 green + 5 blue) / 32, truncated.");
  ip.def(
      "imageBinaryzation",
      [](ArrayLike gray) {
        Image result;
        ZR::imageProcessing().imageBinaryzation(rowsI32(gray, {"imageBinaryzation", "gray"}), result);
        return fromRows(result);
      },
      py::arg("gray"), "Otsu threshold over 256 levels: pixels at most the threshold 0, others 255 (int32).");
  ip.def(
      "imageopen",
      [](ArrayLike image) {
        Image opened;
        ZR::imageProcessing().imageopen(rowsI32(image, {"imageopen", "image"}), opened);
        return fromRows(opened);
      },
      py::arg("image"),
      "Opening (erosion then dilation) of a 0/1 int32 image with the element {left, self, right, "
      "above}: (R - 4, C - 4).");
}

}  // namespace zrpy
