#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang in a build folder of
# their own and runs each for a bounded time over its seed corpus
# (tests/fuzz/corpus/<name>/, which is only read: new inputs go to a scratch
# folder). Prints per target one line
#
#   fuzz-result: <target> passed|failed executions=<N> findings=<N>
#
# and exits non-zero when the build fails or any target finds a crash, a
# leak, a sanitizer report or a failed property. A finding's input is kept
# as <build>/artifacts/<target>-crash-... for reproduction:
#   <build>/tests/fuzz/<target> <that file>
#
# Settings: FUZZ_BUILD_DIR (default build/fuzz), FUZZ_SECONDS (per target,
# default 15), FUZZ_TARGETS (names without _fuzz, default all), FUZZ_JOBS
# (build jobs, default 2).
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

build=${FUZZ_BUILD_DIR:-build/fuzz}
seconds=${FUZZ_SECONDS:-15}

cxx=$(command -v clang++ || true)
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

log="$build.log"
mkdir -p "$build"
if ! cmake -S . -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_C_COMPILER="$(command -v clang || echo cc)" \
     -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_FUZZ=ON >"$log" 2>&1 ||
   ! cmake --build "$build" -j"${FUZZ_JOBS:-2}" --target fuzz_targets >>"$log" 2>&1; then
  tail -n 60 "$log"
  echo "fuzz: build failed" >&2
  exit 1
fi
rm -f "$log"

shopt -s nullglob
if [ -n "${FUZZ_TARGETS:-}" ]; then
  names=($FUZZ_TARGETS)
else
  names=()
  for source in tests/fuzz/*_fuzz.cpp; do
    names+=("$(basename "$source" _fuzz.cpp)")
  done
fi

artifacts="$build/artifacts"
mkdir -p "$artifacts"
status=0
for name in "${names[@]}"; do
  program="$build/tests/fuzz/${name}_fuzz"
  seeds="tests/fuzz/corpus/$name"
  scratch=$(mktemp -d)
  output=$(mktemp)
  rm -f "$artifacts/$name-"*
  # -max_len leaves room for the longest seed; -rss_limit_mb and -timeout
  # turn runaway memory or time into findings.
  "$program" "$scratch" "$seeds" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
    >"$output" 2>&1
  rc=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$output" | tail -n 1)
  found=("$artifacts/$name-"*)  # nullglob: none gives an empty list
  findings=${#found[@]}
  if [ "$rc" -eq 0 ] && [ "$findings" -eq 0 ]; then
    result=passed
  else
    result=failed
    status=1
    [ "$findings" -gt 0 ] || findings=1
    tail -n 40 "$output" >&2
  fi
  echo "fuzz-result: ${name}_fuzz $result executions=${executions:-0} findings=$findings"
  rm -rf "$scratch" "$output"
done
exit $status
