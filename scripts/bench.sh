#!/usr/bin/env bash
# Builds the native configuration and runs every benchmark program
# (<build>/bench/*_bench), then prints one table of their summary rows:
#
#   name | figure | goal
#
# A benchmark program adds rows by printing lines "bench-row: name | figure |
# goal" (bench/bench_row.h: bench::PrintRow); a new bench/<what>_bench.cpp is
# built and run without further changes here.
#
# Settings: BENCH_BUILD_DIR (build there instead of the native preset's
# folder), BENCH_ARGS (extra arguments for every program, e.g.
# --benchmark_min_time=0.05), BENCH_QUIET=1 (only the table).
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

if [ -n "${BENCH_BUILD_DIR:-}" ]; then
  build=$BENCH_BUILD_DIR
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
  cmake --build "$build" -j2 --target all >/dev/null || cmake --build "$build" -j2 || exit 1
else
  build=build/native
  cmake --preset native >/dev/null || exit 1
  cmake --build --preset native >/dev/null || cmake --build --preset native || exit 1
fi

shopt -s nullglob
programs=("$build"/bench/*_bench)
if [ ${#programs[@]} -eq 0 ]; then
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

echo
{
  echo "name | figure | goal"
  echo "--- | --- | ---"
  cat "$rows"
} | column -t -s '|' -o '|'
exit $status
