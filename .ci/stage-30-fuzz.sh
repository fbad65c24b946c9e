#!/usr/bin/env bash
# Runs every libFuzzer target (ASan+UBSan, clang) for a bounded time, starting from its committed
# seed corpus, and fails on any finding. Crash inputs are kept in build/fuzz/findings/.
# FUZZ_SECONDS sets the time per target (default 20); all targets stay within FUZZ_TOTAL seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
. .ci/apt.sh

have_rt() { compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; }
if ! command -v clang++ >/dev/null || ! have_rt; then apt_install clang libclang-rt-14-dev; fi

cmake --preset fuzz
cmake --build --preset fuzz

per=${FUZZ_SECONDS:-20}
total=${FUZZ_TOTAL:-200}
mapfile -t targets < <(find build/fuzz/fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets were built"; exit 1; }
if [ $((per * ${#targets[@]})) -gt "$total" ]; then per=$((total / ${#targets[@]})); fi
[ "$per" -ge 1 ] || per=1

findings=build/fuzz/findings
rm -rf "$findings" build/fuzz/work
mkdir -p "$findings"
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
failed=()
for exe in "${targets[@]}"; do
  base=$(basename "$exe")
  name=${base#fuzz_}
  work=build/fuzz/work/$name
  mkdir -p "$work" "$findings/$name"
  echo "-- $base: ${per}s"
  # The new inputs go to the scratch folder; the committed corpus is only read.
  if ! "$exe" -max_total_time="$per" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
      -max_len=4096 -print_final_stats=1 -artifact_prefix="$findings/$name/" \
      "$work" "fuzz/corpus/$name" >"$findings/$name.log" 2>&1; then
    failed+=("$base")
    tail -n 60 "$findings/$name.log"
  else
    grep -E '^(Done|stat::number_of_executed_units)' "$findings/$name.log" || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $findings)"
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets, no findings"
