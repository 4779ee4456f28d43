#!/usr/bin/env bash
# Starting or bringing forward the main Vantor program, seen from outside
# through the Vantor.Exe stand-in, which logs its command line and the
# messages it gets to Vantor.log beside itself:
# - not running: "Show Me" (IDC_SHOW_ME) starts C:\Vantor\Vantor.Exe with "/D:610",
#   the tray's "Launch &Vantor" (ID_TRAY_LAUNCH_VANTOR) with no argument; the path is quoted;
#   the shown main window hides itself;
# - running: "Show Me" sends it kMsgVantorShow and starts no second copy; the tray
#   command sends nothing;
# - nowhere to be found: the "Error - Couldn't locate Vantor.Exe" box.
. "$(dirname "$0")/lib.sh"
e2e_begin

LOG=$TESSALY_DIR/Vantor.log
PROGRAM='"C:\Vantor\Vantor.Exe"'
IDOK=1

log_count() {
  local n
  n=$(grep -c -- "$1" "$LOG" 2>/dev/null)
  echo "${n:-0}"
}
started() { log_count '^command line '; }
show_requests() { log_count "^message $kMsgVantorShow wParam 0 lParam 0"; }
# Sends a command and waits for its handler to return.
command() { probe send "$MAIN_TITLE" $WM_COMMAND "$1" 0 >/dev/null; }
show_main() {
  command $ID_TRAY_SHOW
  probe wait-visible "$MAIN_TITLE" 1 10 >/dev/null
}
stop_vantor() {
  probe post Vantor 16 0 0 >/dev/null  # WM_CLOSE
  probe wait-gone Vantor 30 >/dev/null
}

check "starts" start_tessaly -nosplash -display
check "shown" probe wait-visible "$MAIN_TITLE" 1 30
sleep 1  # let the start-up ticks pass

# Not running: COMMAND starts the program, its N-th start, with the command
# line PATH ARGUMENTS; then the shown main window hides itself.
expect_start() {
  local what=$1 id=$2 n=$3 arguments=$4
  check "$what: main window shown first" show_main
  command "$id"
  check "$what: Vantor window up" probe wait-window Vantor 30
  check "$what: start number $n" wait_until 10 output_is "$n" started
  expect_eq "$what: command line" "$(grep '^command line ' "$LOG" | tail -n 1 | tr -d '\r')" \
    "command line $PROGRAM $arguments"
  check "$what: own window hidden" probe wait-visible "$MAIN_TITLE" 0 10
}

# The tray command passes an empty argument text, "Show Me" "/D:610".
expect_start "tray launch" $ID_TRAY_LAUNCH_VANTOR 1 ""
check "Vantor closed" stop_vantor
expect_start "Show Me" $IDC_SHOW_ME 2 "/D:610"

# Running: "Show Me" brings it forward with kMsgVantorShow, and starts nothing.
check "Show Me while running: main window shown first" show_main
command $IDC_SHOW_ME
check "Show Me while running: kMsgVantorShow received" wait_until 10 output_is 1 show_requests
check "Show Me while running: own window hidden" probe wait-visible "$MAIN_TITLE" 0 10
command $ID_TRAY_LAUNCH_VANTOR
command $IDC_LAUNCH_VANTOR
sleep 2  # a wrongly started copy would log within this time
expect_eq "running: no copy started" "$(started)" 2
expect_eq "running: tray and picture-button launches send no kMsgVantorShow" "$(show_requests)" 1
expect_eq "no second copy found the mutex held" "$(log_count 'mutex already held')" 0
check "Vantor closed" stop_vantor

# Nowhere: the program's own folder is the install folder, so removing the
# stand-in there leaves nothing to start.
rm -f "$TESSALY_DIR/Vantor.Exe"
probe post "$MAIN_TITLE" $WM_COMMAND $IDC_SHOW_ME 0 >/dev/null
expect_eq "missing Vantor.Exe reported" "$(probe box "$MAIN_TITLE" 30 $IDOK)" \
  "Error - Couldn't locate Vantor.Exe"
expect_eq "missing Vantor.Exe: nothing started" "$(started)" 2
check "unload" stop_tessaly
e2e_end
