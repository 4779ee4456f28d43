#!/usr/bin/env bash
# "Disable Tessaly" seen from outside: the box and its tray-menu twin switch
# the stored "Disabled", grey or free the two action boxes, and swap the tray
# icon's tip (read from the shell's tooltip); the menu command also ticks the
# box while the window stays hidden. A stored "Disabled" shows at start.
. "$(dirname "$0")/lib.sh"
e2e_begin

NORMAL_TIP="Double-click on the icon to open the Tessaly"
DISABLED_TIP="Vantor Tessaly is disabled. Double-click on the icon to open the Tessaly"
# The icon record's tip holds 63 characters.
DISABLED_TIP_SHOWN=${DISABLED_TIP:0:63}

control_field() { probe control "$MAIN_TITLE" "$1" | sed -nE "s/.*$2=([0-9]+).*/\\1/p"; }
tips() { probe tray-tips; }
disabled_value() { reg_value "$SETTINGS_KEY" Disabled; }

# Expects the whole disabled state: DISABLED 0 or 1.
expect_state() {
  local disabled=$1 when=$2
  local enabled=$((1 - disabled)) tip=$NORMAL_TIP
  [ "$disabled" = 1 ] && tip=$DISABLED_TIP_SHOWN
  wait_until 5 output_is "REG_DWORD 0x$disabled" disabled_value
  expect_eq "$when: Disabled stored" "$(disabled_value)" "REG_DWORD 0x$disabled"
  expect_eq "$when: box $IDC_DISABLE ticked" "$(control_field $IDC_DISABLE checked)" "$disabled"
  expect_eq "$when: box $IDC_BACKUP enabled" "$(control_field $IDC_BACKUP enabled)" "$enabled"
  expect_eq "$when: box $IDC_QUICKCHECK enabled" "$(control_field $IDC_QUICKCHECK enabled)" "$enabled"
  wait_until 5 output_is "$tip" tips
  expect_eq "$when: tray tip" "$(tips)" "$tip"
}

check "starts" start_tessaly -nosplash
check "main window hidden" probe wait-visible "$MAIN_TITLE" 0 30
expect_eq "enabled at start: boxes free" "$(control_field $IDC_BACKUP enabled)$(control_field $IDC_QUICKCHECK enabled)" 11
wait_until 10 output_is "$NORMAL_TIP" tips
expect_eq "enabled at start: tray tip" "$(tips)" "$NORMAL_TIP"

probe check "$MAIN_TITLE" $IDC_DISABLE 1 >/dev/null
expect_state 1 "box ticked"
probe check "$MAIN_TITLE" $IDC_DISABLE 0 >/dev/null
expect_state 0 "box unticked"

# The tray menu's "&Disable Tessaly" (ID_TRAY_DISABLE) while the window is hidden.
probe send "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_DISABLE 0 >/dev/null
expect_state 1 "menu disable"
check "window still hidden after menu disable" probe wait-visible "$MAIN_TITLE" 0 5
probe send "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_DISABLE 0 >/dev/null
expect_state 0 "menu enable"
probe send "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_DISABLE 0 >/dev/null
expect_state 1 "menu disable again"
check "unload" stop_tessaly

# "Disabled" stored as 1: the window and the icon start in the disabled state.
check "starts disabled" start_tessaly -nosplash
sleep 1
expect_state 1 "stored Disabled"
probe check "$MAIN_TITLE" $IDC_DISABLE 0 >/dev/null
expect_state 0 "unticked after a disabled start"
check "unload" stop_tessaly
e2e_end
