#!/usr/bin/env bash
# zr as others meet it:
# - three consumers, each configured with BUILD_TESTING=OFF and with GoogleTest hidden behind a
#   stub that fails if it is looked for: find_package(ZR) against an install (plus a pkg-config
#   build), add_subdirectory of the source tree, and FetchContent of a source archive;
# - the Debian packages libzr1 and libzr-dev: built as the README says, checked by lintian (errors
#   fail, warnings are listed), installed into /usr with apt-get, used by the CMake and pkg-config
#   consumers, and removed again so the machine is left as it was;
# - the API reference: doxygen with every warning an error.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

need=()
command -v doxygen >/dev/null || need+=(doxygen)
command -v lintian >/dev/null || need+=(lintian)
command -v dpkg-shlibdeps >/dev/null || need+=(dpkg-dev)
command -v pkg-config >/dev/null || need+=(pkg-config)
command -v file >/dev/null || need+=(file)  # CPack finds the shared library with it
apt_install ${need[@]+"${need[@]}"}

root=$PWD
work=$(mktemp -d)
installed=0
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=120 "$@"; }
cleanup() {
  if [ "$installed" = 1 ]; then apt_get remove libzr-dev libzr1 || true; dpkg --purge libzr-dev libzr1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
step() { echo "-- $*"; }

stub=$root/tests/package/no-gtest
hide=(--no-warn-unused-cli -DBUILD_TESTING=OFF -DCMAKE_MODULE_PATH="$stub" -DGTest_DIR="$stub")
pc_consumer() {  # builds and runs main.cpp with the flags pkg-config gives for zr
  g++ -std=c++17 tests/package/main.cpp $(pkg-config --cflags --libs zr) "$@" -o "$work/consumer-pc"
  "$work/consumer-pc"
}

step "consumer 1: find_package(ZR) and pkg-config against an install"
cmake -S . -B "$work/zr" "${hide[@]}" >/dev/null
cmake --build "$work/zr"
cmake --install "$work/zr" --prefix "$work/prefix" >/dev/null
cmake -S tests/package -B "$work/installed" -DCMAKE_PREFIX_PATH="$work/prefix" "${hide[@]}" >/dev/null
cmake --build "$work/installed"
LD_LIBRARY_PATH="$work/prefix/lib" "$work/installed/consumer"
PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pc_consumer -Wl,-rpath,"$work/prefix/lib"

step "consumer 2: add_subdirectory of the source tree"
cmake -S tests/package/subdirectory -B "$work/subdirectory" -DZR_SOURCE_DIR="$root" "${hide[@]}" >/dev/null
cmake --build "$work/subdirectory"
"$work/subdirectory/consumer"

step "consumer 3: FetchContent from a local source archive"
tar -C "$root" --exclude=./build --exclude=./.git -czf "$work/zr-src.tar.gz" .
cmake -S tests/package/fetchcontent -B "$work/fetchcontent" -DZR_URL="$work/zr-src.tar.gz" "${hide[@]}" >/dev/null
cmake --build "$work/fetchcontent"
"$work/fetchcontent/consumer"

step "Debian packages: build (as in the README) and lintian"
rm -f build/deb/*.deb
cmake --workflow --preset deb --fresh >/dev/null
debs=(build/deb/libzr1_*.deb build/deb/libzr-dev_*.deb)
for deb in "${debs[@]}"; do
  dpkg-deb --field "$deb" Package Version Architecture Depends
done
[ "$(dpkg-deb --field build/deb/libzr1_*.deb Architecture)" = "$(dpkg --print-architecture)" ]
dpkg-deb --contents build/deb/libzr1_*.deb | grep 'libzr\.so\.1 -> ' >/dev/null
lint=0
report=$(lintian --fail-on error "${debs[@]}" 2>&1) || lint=$?
grep -v 'running with root privileges' <<<"$report" || true
[ "$lint" = 0 ] || { echo "lintian reports errors"; exit 1; }

step "Debian packages: install into /usr, build the consumers against them, remove"
is_installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]; }
if is_installed libzr1 || is_installed libzr-dev; then
  echo "libzr1/libzr-dev are already installed; remove them first"; exit 1
fi
installed=1
apt_get install ./build/deb/libzr1_*.deb ./build/deb/libzr-dev_*.deb >/dev/null
cmake -S tests/package -B "$work/deb-consumer" "${hide[@]}" >/dev/null
cmake --build "$work/deb-consumer"
"$work/deb-consumer/consumer"
pc_consumer
apt_get remove libzr-dev libzr1 >/dev/null
dpkg --purge libzr-dev libzr1 >/dev/null 2>&1  # libzr1's postrm would otherwise keep it listed as "rc"
installed=0
known() { dpkg-query -W "$1" >/dev/null 2>&1; }
if compgen -G "/usr/lib/*/libzr.so*" >/dev/null || [ -e /usr/include/zr ] || known libzr1 || known libzr-dev; then
  echo "removing the packages left files behind"; exit 1
fi

step "API reference: doxygen docs/Doxyfile (warnings are errors)"
rm -rf build/api-reference
doxygen docs/Doxyfile
echo "reference: build/api-reference/index.html"
