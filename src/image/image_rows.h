#pragma once

#include <cstddef>
#include <vector>

#include "frame/failure.h"

namespace ZR::detail {

/// The column count of an image (row 0's length); raises the out-of-range failure when a row is
/// shorter, so the operations below never read past a row.
template <class T>
std::size_t checkedColumns(const std::vector<std::vector<T>>& image) {
  if (image.empty()) return 0;
  const std::size_t cols = image[0].size();
  for (const auto& row : image)
    if (row.size() < cols) throwOutOfRange();
  return cols;
}

}  // namespace ZR::detail
