#!/usr/bin/env bash
# The whole test suite (the digest run from four threads included) under ThreadSanitizer, built with clang.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh
command -v clang++ >/dev/null || apt_install clang
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
cmake --workflow --preset tsan
