# 64-bit RISC-V Linux, cross-compiled with Clang, tests under qemu-riscv64.
set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(ZR_CROSS_TRIPLE riscv64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-clang-cross.cmake)
