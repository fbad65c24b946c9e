# 64-bit ARM Linux, cross-compiled with Clang, tests under qemu-aarch64.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(ZR_CROSS_TRIPLE aarch64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-clang-cross.cmake)
