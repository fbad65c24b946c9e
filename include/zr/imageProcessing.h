#pragma once

/// \class ZR::imageProcessing
/// imageProcessing: smoothing kernels, Sobel gradients, grayscale, Otsu binarisation and opening on
/// integer images.
///
/// Conventions
/// - An image is a vector of rows; its column count is the length of row 0. A row shorter than
///   row 0 raises std::out_of_range ("invalid vector<T> subscript") before any output is written;
///   longer rows are read only up to row 0's length.
/// - Input images are taken by value: the caller's image is never changed.
/// - Integer arithmetic never overflows: where an int intermediate could, a wider one is used, and
///   results for 8-bit pixel values are exactly those of plain 32-bit arithmetic.

#include <vector>

#include "zr/export.h"
#include "zr/types.h"

namespace ZR {

class ZR_API imageProcessing {
 public:
  /// size × size Gaussian kernel, element [r][c] for the offset (c + 1 − h, r + 1 − h) from the
  /// centre, h = trunc(size·0.5 + 0.5) (even sizes reach one further on the positive side):
  /// exp(−(x² + y²) / ((σ·2)·σ)) · 1/((σ·2π)·σ), σ = sigma; sigma 0 gives a kernel of NaN (the
  /// formula divides by σ², there is no default σ). normalise: divided by the row-major sum;
  /// otherwise scaled by 1/corner and truncated to whole numbers. size < 1 gives an empty kernel;
  /// size > 46340 (size² past the int range) raises std::length_error ("vector<T> too long").
  std::vector<std::vector<double>> getGaussianKernel(int size, double sigma, bool normalise);
  /// Replaces filtered by the image correlated with a size × size box kernel (every value
  /// 1/(size·size) if normalise, else 1.0), without padding: R − size + 1 rows of C − size + 1,
  /// entry [i][j] the row-major sum from 0.0 over the window whose top-left pixel is (i, j).
  /// size < 1, or larger than the image, gives an empty result.
  void boxFilter(std::vector<std::vector<int>> image, int size, bool normalise,
                 std::vector<std::vector<double>>& filtered);
  /// Replaces gx, gy and magnitude by the (R − 2) × (C − 2) Sobel gradients of the interior pixels
  /// (kernels [[−1,0,1],[−2,0,2],[−1,0,1]] and [[−1,−2,−1],[0,0,0],[1,2,1]], not flipped; row i − 1
  /// is the row above) and trunc(sqrt(gx² + gy²)). Fewer than 3 rows or columns: empty outputs.
  /// Gradients beyond the int range saturate to INT_MIN/INT_MAX; the magnitude is computed from the
  /// exact gradients (and saturates likewise). Outputs passed as the same image are computed aside
  /// and stored in the order gx, gy, magnitude (direction last in canny): the last one stored wins.
  void sobel(std::vector<std::vector<int>> image, std::vector<std::vector<int>>& gx,
             std::vector<std::vector<int>>& gy, std::vector<std::vector<int>>& magnitude);
  /// sobel's three outputs plus direction: trunc(atan2(gy, gx)·180.0/3.1415926) in whole degrees,
  /// 360 added to negatives, so 0 … 359 (a zero gradient gives 0). No thinning, no thresholds.
  void canny(std::vector<std::vector<int>> image, std::vector<std::vector<int>>& gx,
             std::vector<std::vector<int>>& gy, std::vector<std::vector<int>>& magnitude,
             std::vector<std::vector<int>>& direction);
  /// Only when gray holds no rows: appends one row per colour row, (11·red + 16·green + 5·blue) / 32
  /// truncated toward zero. A gray image that already has rows is left exactly as it was.
  void rgbImage2Grayscale(std::vector<std::vector<colorChannel>> colour, std::vector<std::vector<int>>& gray);
  /// Appends to result the image thresholded by Otsu's method over a 256-bin histogram of the levels
  /// 0 … 255 (the first largest between-class variance wins; none gives threshold 0): pixels at most
  /// the threshold become 0, the others 255. Pixels outside 0 … 255 have no bin but are classified
  /// the same way (negative → 0, above 255 → 255). Counts and weighted sums are 64-bit, so
  /// images of any size are thresholded correctly (e.g. more than 2^24 pixels of one level).
  void imageBinaryzation(std::vector<std::vector<int>> gray, std::vector<std::vector<int>>& result);
  /// Replaces opened by the opening of a 0/1 image with the structuring element {left, self, right,
  /// above}: an erosion then a dilation, each over the interior of its input, so R − 4 rows of C − 4
  /// (empty below 5 rows or columns); opened[i][j] stands for image[i + 2][j + 2]. The dilation uses
  /// the same element, not its reflection (as OpenCV's morphologyEx does), so opened can hold 1 where
  /// the image holds 0:
  ///
  ///     image = {{0,0,1,0,0}, {0,1,1,1,0}, {0,0,0,0,0}, {0,0,0,0,0}, {0,0,0,0,0}};
  ///     imageopen(image, opened);  // opened == {{1}}
  ///     // opened[0][0] stands for image[2][2], which is 0
  void imageopen(std::vector<std::vector<int>> image, std::vector<std::vector<int>>& opened);
};

}  // namespace ZR
