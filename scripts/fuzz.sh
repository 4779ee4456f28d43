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
# (build jobs, and targets run at once, default 2).
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
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# fuzz_target NAME: runs one target; its result line goes to $results/NAME,
# its output's tail (on a finding) to $results/NAME.tail.
fuzz_target() {
  local name=$1 program seeds scratch output rc executions found findings result
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
    [ "$findings" -gt 0 ] || findings=1
    tail -n 40 "$output" >"$results/$name.tail"
  fi
  echo "fuzz-result: ${name}_fuzz $result executions=${executions:-0} findings=$findings" \
    >"$results/$name"
  rm -rf "$scratch" "$output"
}

# The targets run a fixed time each, FUZZ_JOBS at once; their lines are
# printed in the targets' order.
jobs=${FUZZ_JOBS:-2}
for name in "${names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  fuzz_target "$name" &
done
wait

status=0
for name in "${names[@]}"; do
  [ -f "$results/$name.tail" ] && cat "$results/$name.tail" >&2
  if [ -f "$results/$name" ]; then
    cat "$results/$name"
    grep -q ' passed ' "$results/$name" || status=1
  else
    echo "fuzz-result: ${name}_fuzz failed executions=0 findings=1"
    status=1
  fi
done
exit $status
