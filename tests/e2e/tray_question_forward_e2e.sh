#!/usr/bin/env bash
# The backup question is up, owned by the main window, which it disables.
# Bringing the main window forward then brings the question forward: the
# question is the foreground window and stands above the main window, never
# the disabled window that ignores every click. Two ways in:
#   - the tray icon's double-click (callback kMsgTrayCallback, WM_LBUTTONDBLCLK) while the
#     main window is hidden;
#   - a second start of the program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin
IDNO=7

# The program's dialogs ("#32770", the main window and its question), the
# visible ones, topmost first: EnumWindows lists top-level windows in z-order.
top_dialog() {
  probe windows '#32770' | grep " pid=$pid " | grep ' visible=1 ' | head -n 1
}
box_line() {
  probe windows '#32770' | grep " pid=$pid " | grep ' visible=1 ' | grep -v ' owner=0x0 '
}
foreground_hwnd() { line_field hwnd "$(probe foreground)"; }
question_in_front() {
  local box
  box=$(box_line | head -n 1)
  [ -n "$box" ] && [ "$(line_field hwnd "$(top_dialog)")" = "$(line_field hwnd "$box")" ] &&
    [ "$(foreground_hwnd)" = "$(line_field hwnd "$box")" ]
}
no_box() { [ -z "$(box_line)" ]; }
box_up() { [ -n "$(box_line)" ]; }

# check_question_in_front LABEL: the question is up, owned by the main window,
# in front of it and the foreground window; then it is answered No.
check_question_in_front() {
  local box
  box=$(box_line | head -n 1)
  check "$1: question still up" test -n "$box"
  expect_eq "$1: owned by the main window" "$(line_field owner "$box")" "$hwnd"
  check "$1: question above the main window and in the foreground" wait_until 10 question_in_front
  expect_eq "$1: the question itself" "$(probe box "$MAIN_TITLE" 10 $IDNO)" \
    'This will save critical system files to C:\Vantor\Recovery. Do you want to proceed?'
  check "$1: question answered and closed" wait_until 10 no_box
}

check "starts with -nosplash" start_tessaly -nosplash
main=$(main_line)
pid=$(line_field pid "$main")
hwnd=$(line_field hwnd "$main")
check "hidden at start" wait_shown 0 30
settle_startup

# 1. Tray double-click while the question is up.
probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_BACKUP_NOW 0 >/dev/null  # "&Backup System Files Now"
check "double-click: question up" wait_until 30 box_up
probe post "$MAIN_TITLE" $kMsgTrayCallback $IDR_TRAY $WM_LBUTTONDBLCLK >/dev/null  # tray icon double-click
check "double-click: main window shown" wait_shown 1 15
check_question_in_front "double-click"

probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null  # "Minimize": hides the window
check "hidden again" wait_shown 0 15

# 2. A second start while the question is up.
probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_BACKUP_NOW 0 >/dev/null
check "second start: question up" wait_until 30 box_up
(cd "$TESSALY_DIR" && exec timeout 120 wine Tessaly.exe -nosplash) >/dev/null 2>&1 &
second_pid=$!
check "second start ends by itself" wait_ended "$second_pid" 60
check "second start: main window shown" wait_shown 1 15
check_question_in_front "second start"

check "unload ends the process" stop_tessaly
e2e_end
