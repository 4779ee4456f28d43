#!/usr/bin/env bash
# The test command: installs what is missing, builds both configurations and
# runs every test (native unit tests, Win32 tests under Wine, end-to-end
# suite, and beside them each fuzz target for a bounded time), then prints
# one summary line.
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

scripts/install-deps.sh || exit 1

# Every Win32 and end-to-end test runs under Wine; a machine where Wine cannot
# run (install-deps.sh sets up the emulator where the kernel runs no 32-bit
# programs) fails the run rather than counting those tests as passed or
# skipped.
if ! wine --version >/dev/null 2>&1; then
  echo "FAILED: Wine does not run on this machine ($(wine --version 2>&1 | tail -n 1));"
  echo "FAILED: the Win32 and end-to-end tests cannot run. See scripts/install-deps.sh."
  echo
  echo "0 passed, 1 failed"
  exit 1
fi

. scripts/winebed.sh
build() {
  cmake --preset "$1" >"build-$1.log" 2>&1 || { cat "build-$1.log"; return 1; }
  cmake --build --preset "$1" >>"build-$1.log" 2>&1 || { tail -n 80 "build-$1.log"; return 1; }
  rm -f "build-$1.log"
}

# The Wine tests take most of the run: they start as soon as the win32
# configuration is built and the template prefix that every Wine test copies
# has booted beside it. The native configuration builds at the same time,
# and its unit tests and the fuzz targets (a clang build of their own, then
# each target for a fixed time) follow it beside the Wine tests: they need
# neither Wine nor the display, and the fuzz targets' bound is time, not
# work. Their output follows the Wine tests'. On a machine shared with other
# work this keeps the run's share of the processors up; alone on it, the
# run takes no longer than one part after the other.
native_log=$(mktemp) fuzz_log=$(mktemp)
beside_wine() {
  build native >"$native_log" 2>&1 || return 1
  ctest --preset native >>"$native_log" 2>&1 &
  scripts/fuzz.sh >"$fuzz_log" 2>&1
  wait
}
beside_wine & beside_run=$!
winebed_template & template_boot=$!
build win32 & win32_build=$!
ready=1
wait "$win32_build" || ready=0
wait "$template_boot" || ready=0
if [ "$ready" = 0 ]; then
  wait "$beside_run"
  cat "$native_log"
  exit 1
fi

passed=0 failed=0

# One display for the whole run.
if [ -z "${DISPLAY:-}" ]; then
  winebed_display || exit 1
  trap winebed_cleanup EXIT
fi

# count_ctest LOG: adds the passed and failed tests of a ctest run to the
# totals; a run without its summary line counts as one failure.
count_ctest() {
  local line f t
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -n "$line" ]; then
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + t - f))
    failed=$((failed + f))
  else
    failed=$((failed + 1))
  fi
}

# The Win32 test programs' kept sessions (scripts/wine-run.sh) start anew
# with each run, and end with the Win32 tests rather than once idle.
sessions=build/win32/wine-sessions
winebed_sessions_end "$sessions"
win32_log=$(mktemp)
ctest --preset win32 2>&1 | tee "$win32_log"
count_ctest "$win32_log"
winebed_sessions_end "$sessions"

wait "$beside_run"
cat "$native_log"
count_ctest "$native_log"

# The fuzz targets: one pass or fail per target.
cat "$fuzz_log"
fuzz_passed=$(grep -c '^fuzz-result: .* passed ' "$fuzz_log")
fuzz_failed=$(grep -c '^fuzz-result: .* failed ' "$fuzz_log")
if [ "$fuzz_passed" -eq 0 ] && [ "$fuzz_failed" -eq 0 ]; then
  fuzz_failed=1  # the build failed or no target ran
fi
passed=$((passed + fuzz_passed))
failed=$((failed + fuzz_failed))
rm -f "$win32_log" "$native_log" "$fuzz_log"

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
