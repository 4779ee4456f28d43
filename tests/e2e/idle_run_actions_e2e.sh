#!/usr/bin/env bash
# One unattended run, forced without waiting an hour: Pellix's shared word is
# set so that the last input looks 4000 seconds old (the threshold of the
# default "1 Hour" is 3600), and the program's 60-second idle poll then runs
# both actions. Afterwards "Tessaly.ini" holds both log lines keyed by the
# run's time, the first backup set's cabinet exists, "LastTime" and the
# last-run field carry the time, the light turned from red to the quick
# check's green, the Vantor stand-in got kMsgVantorQuickCheck with the result, and
# the idle count starts again. No mouse or keyboard input is made: it would
# stamp a new input time.
. "$(dirname "$0")/lib.sh"
e2e_begin

CABINET=$TESSALY_DIR/Recovery/Tessaly11.cab
LOG=$TESSALY_DIR/Vantor.log
POLL_LIMIT=100  # seconds: one 60-second poll, the actions and some slack

both_logged() { [ -n "$(run_log SaveFiles)" ] && [ -n "$(run_log QuickCheck)" ]; }
stamped() { [ "$(setting_number LastTime)" -gt 0 ] 2>/dev/null; }
# The date-and-time texts of every minute from FIRST to LAST (seconds).
minute_texts() {
  local t
  for ((t = $1 - $1 % 60; t <= $2; t += 60)); do date_text "$t"; done
}

check "Vantor stand-in running" start_vantor
check "starts with -display" start_tessaly -nosplash -display
check "shown" probe wait-visible "$MAIN_TITLE" 1 30
sleep 1  # let the start-up ticks pass
probe send "$MAIN_TITLE" $kMsgQuickCheckStatus 1 0 >/dev/null
check "light red before the run" wait_until 30 output_is red lamp_colour

before=$(date +%s)
check "idle count set past the threshold" set_idle_seconds 4000
check "both actions logged" wait_until "$POLL_LIMIT" both_logged
check "LastTime stamped" wait_until 10 stamped
after=$(date +%s)

# The log: one line per action, keyed by the run's time, which the value
# repeats; the key is a minute of the run.
save_line=$(run_log SaveFiles)
check_line=$(run_log QuickCheck)
key=${save_line%%=*}
expect_eq "one backup line" "$(wc -l <<<"$save_line")" 1
expect_eq "one quick-check line" "$(wc -l <<<"$check_line")" 1
expect_eq "backup line" "$save_line" "$key=System files backed up on $key"
expect_eq "quick-check line" "$check_line" "$key=Quick Check done on $key"
check "log key is the time of the run" grep -qxF -- "$key" <<<"$(minute_texts "$before" "$after")"

check "first backup set's cabinet written" test -s "$CABINET"
check "cabinet extracts" cabextract -t -q "$CABINET"
check "quick-check report written" test -s "$TESSALY_DIR/Tests/QUICKCHK.RPT"

stamp=$(setting_number LastTime)
check "LastTime is the time of the run" test "${stamp:-0}" -ge "$before" -a "${stamp:-0}" -le "$after"
expect_eq "last-run field shows it" "$(probe control "$MAIN_TITLE" $IDC_LAST_RUN | sed -n 's/.* text=//p')" \
  "$(date_text "${stamp:-0}")"

check "light green after the quick check" wait_until 30 output_is green lamp_colour
check "Vantor got the result" wait_until 5 grep -q "^message $kMsgVantorQuickCheck " "$LOG"
expect_eq "kMsgVantorQuickCheck carries the third and fourth result words" \
  "$(grep "^message $kMsgVantorQuickCheck " "$LOG" | tr -d '\r')" \
  "message $kMsgVantorQuickCheck wParam 0 lParam 0"
idle=$(install_probe idle)
check "idle count started again" test "${idle:-99999}" -lt 600
check "unload" stop_tessaly
e2e_end
