#!/usr/bin/env bash
# The log of runs stays under the 64 KB that Windows 95 reads of an
# initialisation file: "Tessaly.ini" starts with each section already full
# (the lines the program keeps, from app/run_log.h), one unattended run is
# forced as in idle_run_actions_e2e, and afterwards each section holds the
# run's line at its end, the newest older lines in their order, and no longer
# the oldest one.
. "$(dirname "$0")/lib.sh"
e2e_begin

KEPT=$(sed -nE 's/^inline constexpr size_t kRunLogLinesKept = ([0-9]+);.*/\1/p' \
  "$TESSALY_SOURCE/app/run_log.h")
INI=$WINEPREFIX/drive_c/windows/Tessaly.ini
POLL_LIMIT=100  # seconds: one 60-second poll, the actions and some slack

# old_key N: the key of the Nth line of the prepared file, oldest first.
old_key() { printf '01/%02d/1997 10:%02dAM' $((1 + $1 / 60)) $(($1 % 60)); }
{
  for section in SaveFiles QuickCheck; do
    printf '[%s]\r\n' "$section"
    for ((i = 0; i < KEPT; i++)); do
      printf '%s=%s done on %s\r\n' "$(old_key $i)" "$section" "$(old_key $i)"
    done
  done
} >"$INI"
check "prepared file holds $KEPT lines a section" test "$(run_log QuickCheck | wc -l)" = "$KEPT"

# A line of the run: a key that the prepared file did not have.
run_logged() { run_log "$1" | grep -qv '^01/.*/1997 '; }
both_logged() { run_logged SaveFiles && run_logged QuickCheck; }

check "starts" start_tessaly -nosplash
check "idle count set past the threshold" set_idle_seconds 4000
check "both actions logged" wait_until "$POLL_LIMIT" both_logged

expected_old=$(for ((i = 1; i < KEPT; i++)); do echo "$(old_key $i)"; done)
for section in SaveFiles QuickCheck; do
  lines=$(run_log $section)
  expect_eq "$section: $KEPT lines" "$(wc -l <<<"$lines")" "$KEPT"
  expect_eq "$section: the oldest line is gone, the newer ones stay in order" \
    "$(head -n $((KEPT - 1)) <<<"$lines" | sed 's/=.*//')" "$expected_old"
  check "$section: the run's line comes last" test -n "$(tail -n 1 <<<"$lines" | grep -v '^01/.*/1997 ')"
done
check "file under 64 KB" test "$(stat -c %s "$INI")" -lt 65536
check "unload" stop_tessaly
e2e_end
