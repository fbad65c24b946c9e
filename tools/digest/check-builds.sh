#!/usr/bin/env bash
# Builds the library and zr_digest with each compiler and optimisation level below and checks the
# digest against the golden file. The presets cover GCC -O3 (default), GCC -O0 (debug), Clang -O3
# (clang), libc++, i386, aarch64 and riscv64; this adds the builds a user gets with other flags,
# -march=x86-64-v3 among them (the library keeps fused multiply-adds out whatever -march says).
#   tools/digest/check-builds.sh            every build below
#   tools/digest/check-builds.sh NAME...    only those (e.g. gcc-O2 clang-v3)
set -euo pipefail
cd "$(dirname "$0")/../.."

declare -A builds=(
  [gcc-O0]="g++|-O0"
  [gcc-O2]="g++|-O2"
  [gcc-v3]="g++|-O3 -march=x86-64-v3"
  [clang-O0]="clang++|-O0"
  [clang-O2]="clang++|-O2"
  [clang-v3]="clang++|-O2 -march=x86-64-v3"
)
order=(gcc-O0 gcc-O2 gcc-v3 clang-O0 clang-O2 clang-v3)
[ $# -gt 0 ] && order=("$@")

failed=()
for name in "${order[@]}"; do
  entry=${builds[$name]:?"unknown build $name (known: ${!builds[*]})"}
  compiler=${entry%%|*}
  flags=${entry#*|}
  dir=build/check-$name
  echo "== $name: $compiler $flags"
  start=$SECONDS
  # Build type None: the optimisation level comes from CMAKE_CXX_FLAGS alone, as a user sets it.
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_FLAGS="$flags" \
    -DZR_BUILD_EXAMPLES=OFF -DZR_INSTALL=OFF >/dev/null
  cmake --build "$dir" --target zr_digest
  if "$dir/tools/digest/zr_digest" --check tools/digest/golden.txt; then
    echo "== $name: digest matches ($((SECONDS - start)) s)"
  else
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "digest differs from the golden file for: ${failed[*]}"
  exit 1
fi
