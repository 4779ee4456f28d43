#!/usr/bin/env bash
# "Disabled" = 1 stored: an idle count far past the threshold runs nothing at
# the 60-second idle poll (no log, no cabinet, no "LastTime", no message to
# Vantor, the idle count left alone). Then the tray menu's "&Disable Tessaly"
# switches the actions back on, and the next poll runs them: the same set-up
# did reach a poll, so the quiet first minute was the disabled state's doing.
# No mouse or keyboard input is made: it would stamp a new input time.
. "$(dirname "$0")/lib.sh"
e2e_begin

CABINET=$TESSALY_DIR/Recovery/Tessaly11.cab
LOG=$TESSALY_DIR/Vantor.log
FIRST_POLL=70   # seconds after start-up: the first poll comes at 60
NEXT_POLL=75    # seconds after switching back on: at most one poll period

anything_done() {
  [ -e "$WINEPREFIX/drive_c/windows/Tessaly.ini" ] || [ -e "$CABINET" ] ||
    [ -n "$(setting_number LastTime)" ] || grep -q "^message $kMsgVantorQuickCheck " "$LOG" 2>/dev/null
}
both_logged() { [ -n "$(run_log SaveFiles)" ] && [ -n "$(run_log QuickCheck)" ]; }

winebed_reg_set "$SETTINGS_KEY" Disabled REG_DWORD 1
check "Vantor stand-in running" start_vantor
check "starts" start_tessaly -nosplash
started=$(date +%s)
check "main window hidden" probe wait-visible "$MAIN_TITLE" 0 30
check "starts disabled" test "$(probe control "$MAIN_TITLE" $IDC_DISABLE | sed -nE 's/.*checked=([0-9]+).*/\1/p')" = 1
check "idle count set past the threshold" set_idle_seconds 4000

# Watch until well past the first poll; stop early if anything happens.
wait_until $((FIRST_POLL - ($(date +%s) - started))) anything_done
check "disabled: past the first poll" test $(($(date +%s) - started)) -ge $FIRST_POLL
check "disabled: no log written" test ! -e "$WINEPREFIX/drive_c/windows/Tessaly.ini"
check "disabled: no cabinet" test ! -e "$CABINET"
expect_eq "disabled: LastTime not stored" "$(setting_number LastTime)" ""
check "disabled: Vantor got nothing" test "$(grep -c "^message $kMsgVantorQuickCheck " "$LOG")" = 0
# The probe is a process of its own: under load one start of it can fail,
# so each question is asked again for a few seconds (a program that ended
# fails both all the same).
idle_at_least() { local idle; idle=$(install_probe idle) && [ "${idle:-0}" -ge "$1" ]; }
check "disabled: idle count not reset" wait_until 5 idle_at_least 4000

# Switched back on from the tray menu, the next poll runs both actions. The
# command toggles: it is sent again only when sending it failed.
send_toggle() { probe send "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_DISABLE 0 >/dev/null; }
wait_until 5 send_toggle
expect_eq "switched on: Disabled stored" "$(reg_value "$SETTINGS_KEY" Disabled)" "REG_DWORD 0x0"
check "switched on: both actions logged at the next poll" wait_until "$NEXT_POLL" both_logged
check "switched on: cabinet written" wait_until 10 test -s "$CABINET"
check "switched on: Vantor got the result" wait_until 10 grep -q "^message $kMsgVantorQuickCheck " "$LOG"
check "unload" stop_tessaly
e2e_end
