#!/usr/bin/env bash
# Runs every benchmark and prints one table of their summary rows:
#
#   name | figure | goal
#
# Native benchmark programs (<native build>/bench/*_bench, Google Benchmark)
# come first, then the Wine benchmarks bench/*_bench.sh, which drive the Win32
# build (Tessaly.exe, Pellix.dll, the companions and the small programs of
# bench/win32) in Wine test beds of their own. Every figure is a ratio
# against a baseline measured in the same run. A program or script adds rows
# by printing lines "bench-row: name | figure | goal" (bench/bench_row.h:
# bench::PrintRow; bench/bench_lib.sh: bench_row); a new bench/<what>_bench.cpp
# or bench/<what>_bench.sh is built and run without further changes here.
# This is not a test: scripts/test.sh does not run it (the idle benchmark
# alone takes over five minutes).
#
# Settings: BENCH_BUILD_DIR and BENCH_WIN32_BUILD_DIR (build there instead of
# the presets' folders), BENCH_ARGS (extra arguments for every native
# program, e.g. --benchmark_min_time=0.05), BENCH_QUIET=1 (only the table),
# BENCH_ONLY=REGEX (only the programs and scripts whose name matches), and
# those of the scripts: BENCH_IDLE_SECONDS (300), BENCH_IDLE_SETTLE (5),
# BENCH_TIMER_TRACE_SECONDS (70), BENCH_STARTUP_ROUNDS (11),
# BENCH_BACKUP_ROUNDS (9).
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

scripts/install-deps.sh || exit 1

if [ -n "${BENCH_BUILD_DIR:-}" ]; then
  build=$BENCH_BUILD_DIR
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
  cmake --build "$build" -j2 --target all >/dev/null || cmake --build "$build" -j2 || exit 1
else
  build=build/native
  cmake --preset native >/dev/null || exit 1
  cmake --build --preset native >/dev/null || cmake --build --preset native || exit 1
fi
if [ -n "${BENCH_WIN32_BUILD_DIR:-}" ]; then
  win32=$BENCH_WIN32_BUILD_DIR
  cmake -S . -B "$win32" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null || exit 1
  cmake --build "$win32" -j2 >/dev/null || cmake --build "$win32" -j2 || exit 1
else
  win32=build/win32
  cmake --preset win32 >/dev/null || exit 1
  cmake --build --preset win32 >/dev/null || cmake --build --preset win32 || exit 1
fi
win32=$(readlink -f "$win32")

shopt -s nullglob
programs=("$build"/bench/*_bench)
scripts=(bench/*_bench.sh)
if [ -n "${BENCH_ONLY:-}" ]; then
  keep=()
  for p in "${programs[@]}"; do [[ $(basename "$p") =~ $BENCH_ONLY ]] && keep+=("$p"); done
  programs=("${keep[@]}")
  keep=()
  for p in "${scripts[@]}"; do [[ $(basename "$p") =~ $BENCH_ONLY ]] && keep+=("$p"); done
  scripts=("${keep[@]}")
elif [ ${#programs[@]} -eq 0 ]; then
  echo "no benchmark programs in $build/bench (is libbenchmark-dev installed?)" >&2
  exit 1
fi

rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
status=0
for program in "${programs[@]}"; do
  echo "== $(basename "$program")" >&2
  # shellcheck disable=SC2086
  output=$("$program" --benchmark_color=false ${BENCH_ARGS:-} 2>&1) || {
    echo "$output" >&2
    echo "$(basename "$program") failed" >&2
    status=1
    continue
  }
  [ "${BENCH_QUIET:-0}" = 1 ] || grep -v '^bench-row: ' <<<"$output" >&2
  sed -E 's/\x1b\[[0-9;]*m//g' <<<"$output" | sed -n 's/^bench-row: //p' >>"$rows"
done

for script in "${scripts[@]}"; do
  echo "== $(basename "$script")" >&2
  # Progress shows as it comes; with BENCH_QUIET=1 only when the script fails.
  log=/dev/stderr
  [ "${BENCH_QUIET:-0}" = 1 ] && log=$(mktemp)
  output=$(TESSALY_SOURCE=$PWD TESSALY_BIN=$win32/bin TESSALY_TESTS=$win32/testbin \
    BENCH_BIN=$win32/benchbin bash "$script" 2>>"$log")
  result=$?
  if [ "$log" != /dev/stderr ]; then
    [ $result -eq 0 ] || cat "$log" >&2
    rm -f "$log"
  fi
  sed -n 's/^bench-row: //p' <<<"$output" >>"$rows"
  if [ $result -ne 0 ]; then
    echo "$(basename "$script") failed" >&2
    status=1
  fi
done

echo
{
  echo "name | figure | goal"
  echo "--- | --- | ---"
  cat "$rows"
} | column -t -s '|' -o '|'
exit $status
