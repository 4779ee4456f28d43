#!/usr/bin/env bash
# "Unload" (the button, command 2) and the tray menu's "&Unload Vantor
# Tessaly" (command ID_TRAY_UNLOAD) end the process; on the way out the program
# deletes its notification icon and removes both hooks, the mouse hook
# first. Afterwards input no longer stamps Pellix's shared idle word.
#
# The program's own calls are seen through Wine's relay trace. Wine would
# also drop the icon of a destroyed window and the hooks of an ended thread
# by itself, so the trace, not only the outside view, is what shows that the
# program removes them.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin
trace_calls

# A probe that keeps the install folder's Pellix.dll mapped, so that its
# shared word outlives the program; reads go through the same copy.
(cd "$TESSALY_DIR" && exec timeout 120 wine "$TESSALY_TESTS/TessalyProbe.exe" \
  hold 110) >/dev/null 2>&1 &
idle() { install_probe "$@"; }

# unload_by LABEL COMMAND
unload_by() {
  local log=$WINEPREFIX/tessaly-$2.log hwnd
  TESSALY_LOG=$log WINEDEBUG=+relay start_tessaly -nosplash
  check "$1: starts" wait_shown 0 30
  hwnd=$(line_field hwnd "$(main_line)")
  expect_eq "$1: tray icon held" "$(probe tray-icon "hwnd:$hwnd" $IDR_TRAY)" present
  # Hooks in place: mouse movement over the desktop brings the idle count
  # back down from an hour.
  idle set-idle 3600 >/dev/null
  xdotool mousemove 300 300 mousemove 320 310
  check "$1: input stamps the idle word while running" wait_idle_below 60

  probe post "$MAIN_TITLE" $WM_COMMAND "$2" 0 >/dev/null
  check "$1: process ends" wait_ended "$TESSALY_PID" 30
  expect_eq "$1: no main window" "$(main_line)" ""
  expect_eq "$1: tray icon gone" "$(probe tray-icon "hwnd:$hwnd" $IDR_TRAY)" absent
  expect_eq "$1: icon added once, deleted once (NIM_ADD, NIM_DELETE)" \
    "$(traced "$log" shell32.Shell_NotifyIconA | sed -E 's/^([0-9a-f]+),.* -> /\1 /' | tr '\n' ' ')" \
    "00000000 00000001 00000002 00000001 "
  local hooks
  hooks=$(traced "$log" user32.SetWindowsHookExA | sed -E 's/.* -> //' | tr '\n' ' ')
  expect_eq "$1: both hooks removed, mouse hook first" \
    "$(traced "$log" user32.UnhookWindowsHookEx | hook_calls)" \
    "$(awk '{ print $1 " ok, " $2 " ok" }' <<<"$hooks")"
  # No hook left: input no longer stamps the word.
  idle set-idle 3600 >/dev/null
  xdotool mousemove 500 400 mousemove 520 410
  sleep 1
  check "$1: input after the end stamps nothing" wait_idle_at_least 3600
}

# Moves the pointer a little, then asks whether the idle count fell below N.
moved_and_idle_below() {
  xdotool mousemove_relative 3 3
  sleep 0.25
  local n
  n=$(idle idle) && [ "$n" -lt "$1" ]
}
wait_idle_below() {
  wait_until 5 moved_and_idle_below "$1"
}
wait_idle_at_least() {
  local n
  n=$(idle idle) && [ "$n" -ge "$1" ]
}

unload_by "Unload button" 2
unload_by "tray menu unload" $ID_TRAY_UNLOAD
e2e_end
