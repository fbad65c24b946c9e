#!/usr/bin/env bash
# Benchmarks: installs Google Benchmark, Eigen and OpenCV when missing and builds (does not run)
# the `bench` preset, so the side-by-side comparisons keep compiling.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh

need=()
[ -e /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
[ -e /usr/include/eigen3/Eigen/Dense ] || need+=(libeigen3-dev)
[ -e /usr/include/opencv4/opencv2/imgproc.hpp ] || need+=(libopencv-dev)
apt_install ${need[@]+"${need[@]}"}

cmake --preset bench
cmake --build --preset bench
test -x build/bench/bench/zr_bench
