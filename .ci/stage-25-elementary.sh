#!/usr/bin/env bash
# The library's own elementary functions: their tables must be what the generator scripts give,
# and a sample of arguments (200 000 per function, special values and hard cases included, and
# 50 000 more decided by the triple-double last stage alone) must
# round exactly as MPFR does. The long run is in the README.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh

need=()
[ -e /usr/include/mpfr.h ] || need+=(libmpfr-dev)
/usr/bin/python3 -c 'import mpmath' 2>/dev/null || need+=(python3-mpmath)
apt_install ${need[@]+"${need[@]}"}

tables=$(mktemp)
trap 'rm -f "$tables"' EXIT
/usr/bin/python3 tools/elementary/gen_coefficients.py > "$tables"
diff -u src/frame/elementary_tables.h "$tables"
/usr/bin/python3 tools/elementary/gen_trig_tables.py > "$tables"
diff -u src/frame/elementary_tables_trig.h "$tables"
/usr/bin/python3 tools/elementary/gen_tables_explog.py > "$tables"
diff -u src/frame/elementary_tables_explog.h "$tables"
/usr/bin/python3 tools/elementary/gen_atan_tables.py > "$tables"
diff -u src/frame/elementary_tables_atan.h "$tables"
/usr/bin/python3 tools/elementary/gen_asin_tables.py > "$tables"
diff -u src/frame/elementary_tables_asin.h "$tables"

cmake -S . -B build/elementary -DCMAKE_BUILD_TYPE=Release -DZR_BUILD_EXAMPLES=OFF >/dev/null
cmake --build build/elementary --target zr_elementary_mpfr zr_elementary_mpfr_last_stage
build/elementary/tests/elementary_functions/zr_elementary_mpfr 200000
build/elementary/tests/elementary_functions/zr_elementary_mpfr_last_stage 50000
