#!/usr/bin/env bash
# On a prefix that reports Windows NT (winxp) the only thing the program
# shows is the box "This application only runs under Windows 95." with the
# caption "Vantor Tessaly", a stop icon and one OK button: no main window, no
# tray icon, no hook, no folder made. The process ends once the box is
# closed. The same prefix set back to Windows 95 starts normally and makes
# the folders, so the folder check can see them.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin
trace_calls "user32.SetWindowsHookExA;user32.UnhookWindowsHookEx;shell32.Shell_NotifyIconA;user32.MessageBoxA"
winebed_version winxp
check "prefix reports NT (platform 2)" test "$(line_field platform "$(probe version)")" = 2
rm -rf "$TESSALY_DIR/Recovery" "$TESSALY_DIR/Tests"

log=$WINEPREFIX/tessaly-nt.log
TESSALY_LOG=$log WINEDEBUG=+relay tessaly_start
check "a window titled $MAIN_TITLE comes" quiet probe wait-window "$MAIN_TITLE" 60
boxes=$(probe windows '#32770' | grep " title=$MAIN_TITLE\$")
expect_eq "only one such window" "$(grep -c . <<<"$boxes")" 1
box=$(line_field hwnd "$boxes")
# The box is made with every button and drops those it does not use while it
# sets itself up; once it answers a sent message, that is done.
probe send "$MAIN_TITLE" $WM_NULL 0 0 >/dev/null
kids=$(probe children "hwnd:$box")
expect_eq "the box's text" "$(grep ' class=Static ' <<<"$kids" | sed -n 's/.* title=//p' | grep .)" \
  "This application only runs under Windows 95."
expect_eq "one button, OK" "$(grep ' class=Button ' <<<"$kids" | sed 's/.* id=\([0-9]*\) .* title=/\1 /')" "1 OK"
check "a stop icon (an icon static beside the text)" grep -q ' class=Static .* style=0x5000000[3b] ' <<<"$kids"
expect_eq "not the main window (no control IDC_IDLE)" "$(main_line)" ""
check "process waits on the box" kill -0 "$TESSALY_PID"
expect_eq "the box came from MessageBoxA with style 16 (MB_ICONSTOP)" \
  "$(traced_calls "$log" | grep '^MessageBoxA' | sed -E 's/^MessageBoxA\(00000000,(.*)\)$/\1/')" \
  "\"This application only runs under Windows 95.\",\"$MAIN_TITLE\",00000010"

probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null  # OK
check "the process ends after the box" wait_ended "$TESSALY_PID" 30
expect_eq "no window titled $MAIN_TITLE left" "$(probe windows '#32770' | grep -c " title=$MAIN_TITLE\$")" 0
expect_eq "no hook set, no tray icon" \
  "$(traced_calls "$log" | grep -cE '^(SetWindowsHookExA|UnhookWindowsHookEx|Shell_NotifyIconA)')" 0
check "no Recovery folder made" test ! -e "$TESSALY_DIR/Recovery"
check "no Tests folder made" test ! -e "$TESSALY_DIR/Tests"

# The control run: Windows 95 again.
winebed_version win95
check "starts under Windows 95" start_tessaly -nosplash
check "main window made" test -n "$(main_line)"
check "Recovery folder made" test -d "$TESSALY_DIR/Recovery"
check "unload ends the process" stop_tessaly
e2e_end
