#!/usr/bin/env bash
# The digest of builds beyond the presets: GCC -O0/-O2, Clang -O0/-O2, and GCC and Clang with
# -march=x86-64-v3 added by the user (library and zr_digest only).
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh
command -v clang++ >/dev/null || apt_install clang
tools/digest/check-builds.sh
