#!/usr/bin/env bash
# The test command: installs what is missing, builds both configurations and
# runs every test (native unit tests, Win32 tests under Wine, end-to-end
# suite, then each fuzz target for a bounded time), then prints one summary
# line.
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

scripts/install-deps.sh || exit 1

build() {
  cmake --preset "$1" >"build-$1.log" 2>&1 || { cat "build-$1.log"; return 1; }
  cmake --build --preset "$1" >>"build-$1.log" 2>&1 || { tail -n 80 "build-$1.log"; return 1; }
  rm -f "build-$1.log"
}
build native || exit 1
build win32 || exit 1

passed=0 failed=0 skipped=0

# Wine runs Win32 programs through its 32-bit Linux loader, which needs the
# kernel's 32-bit support. Some virtual machines switch that off (the kernel
# logs "32-bit emulation disabled"); there every exec of Wine fails with
# "Exec format error" and no test under Wine can run. They are then counted as
# skipped, loudly, and the rest of the win32 configuration (the static Windows
# 95 checks, the release archive) still runs.
wine_label_filter=()
if ! wine --version >/dev/null 2>&1; then
  skipped=$(ctest --preset win32 -N -L wine 2>/dev/null | sed -nE 's/^Total Tests: ([0-9]+)$/\1/p')
  echo "SKIPPED: this machine cannot run Wine ($(wine --version 2>&1 | tail -n 1))."
  echo "SKIPPED: ${skipped:-all} Win32 and end-to-end tests under Wine are not run."
  wine_label_filter=(-LE wine)
else
  # One display for the whole run, and the template prefix booted before the
  # tests start in parallel.
  . scripts/winebed.sh
  winebed_template || exit 1
  if [ -z "${DISPLAY:-}" ]; then
    winebed_display || exit 1
    trap winebed_cleanup EXIT
  fi
fi

run_ctest() {
  local log
  log=$(mktemp)
  ctest --preset "$@" 2>&1 | tee "$log"
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    local f t
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + t - f))
    failed=$((failed + f))
  else
    failed=$((failed + 1))
  fi
  rm -f "$log"
}
run_ctest native
run_ctest win32 "${wine_label_filter[@]}"

# The fuzz targets, each for a bounded time; one pass or fail per target.
fuzz_log=$(mktemp)
scripts/fuzz.sh 2>&1 | tee "$fuzz_log"
fuzz_passed=$(grep -c '^fuzz-result: .* passed ' "$fuzz_log")
fuzz_failed=$(grep -c '^fuzz-result: .* failed ' "$fuzz_log")
if [ "$fuzz_passed" -eq 0 ] && [ "$fuzz_failed" -eq 0 ]; then
  fuzz_failed=1  # the build failed or no target ran
fi
passed=$((passed + fuzz_passed))
failed=$((failed + fuzz_failed))
rm -f "$fuzz_log"

echo
if [ "${skipped:-0}" -gt 0 ]; then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
