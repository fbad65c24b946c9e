#!/usr/bin/env bash
# Tests and digest with Clang and libc++, and cross-compiled for aarch64 and riscv64 with Clang,
# run under qemu-user. Clang is the cross compiler because Debian's GCC cross compilers cannot be
# installed beside g++-multilib, which the i386 preset needs.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh
need=()
for pkg in clang qemu-user googletest libc++-14-dev libc++abi-14-dev \
  libc6-dev-arm64-cross libstdc++-12-dev-arm64-cross libgcc-12-dev-arm64-cross binutils-aarch64-linux-gnu \
  libc6-dev-riscv64-cross libstdc++-12-dev-riscv64-cross libgcc-12-dev-riscv64-cross binutils-riscv64-linux-gnu; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
apt_install ${need[@]+"${need[@]}"}
for preset in libcxx aarch64 riscv64; do
  echo "== $preset"
  start=$SECONDS
  cmake --workflow --preset "$preset"
  echo "== $preset: $((SECONDS - start)) s"
done
