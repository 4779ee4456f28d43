#!/usr/bin/env bash
# The tray icon's callback message kMsgTrayCallback: wParam IDR_TRAY with WM_LBUTTONDBLCLK
# (515) shows the main window, with WM_RBUTTONUP (517) opens the tray menu at
# the cursor; other mouse messages and other icon ids do nothing. Then the
# same through the Wine desktop's notification area with the mouse: the
# menu's first item shows the window, its last one unloads the program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin

# The visible pop-up menus ("#32768") of process PID.
menus() {
  probe windows '#32768' | grep " pid=$1 " | grep ' visible=1 '
}
wait_menu() {
  first_line 10 menus "$1"
}
menu_closed() {
  [ -z "$(menus "$1")" ]
}
no_menu() {
  wait_until 10 menu_closed "$1"
}

check "starts with -nosplash" start_tessaly -nosplash
main=$(main_line)
pid=$(line_field pid "$main")
check "hidden at start" wait_shown 0 30
settle_startup

expect_eq "double click (WM_LBUTTONDBLCLK) handled" "$(probe send "$MAIN_TITLE" $kMsgTrayCallback $IDR_TRAY $WM_LBUTTONDBLCLK)" 1
check "double click shows the window" wait_shown 1 15
probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null  # "Minimize"
check "Minimize hides it" wait_shown 0 15

# Ignored: every other mouse message, and another icon id. The message is
# sent, so a menu opened by it would hold the answer back until it closed.
other=$((IDR_TRAY + 1))
for case in $IDR_TRAY:$WM_MOUSEMOVE $IDR_TRAY:$WM_LBUTTONDOWN $IDR_TRAY:$WM_LBUTTONUP \
  $IDR_TRAY:$WM_RBUTTONDOWN $IDR_TRAY:$WM_RBUTTONDBLCLK $IDR_TRAY:$WM_MBUTTONDOWN \
  $IDR_TRAY:$WM_MBUTTONUP $IDR_TRAY:$WM_MBUTTONDBLCLK $IDR_TRAY:0 \
  $other:$WM_LBUTTONDBLCLK $other:$WM_RBUTTONUP 0:$WM_RBUTTONUP; do
  expect_eq "callback $case ignored" "$(probe send "$MAIN_TITLE" $kMsgTrayCallback "${case%:*}" "${case#*:}")" 0
done
check "window still hidden" wait_shown 0 5
expect_eq "no menu opened by ignored callbacks" "$(menus "$pid")" ""

# Right button up: the menu opens with its top-left corner at the cursor; the
# send returns when the menu closes. WM_CANCELMODE to the owner closes it.
xdotool mousemove 400 300
answer=$WINEPREFIX/answer.txt
probe_once send "$MAIN_TITLE" $kMsgTrayCallback $IDR_TRAY $WM_RBUTTONUP >"$answer" &
sender=$!
menu=$(wait_menu "$pid")
check "right button up opens a menu" test -n "$menu"
expect_eq "menu at the cursor" "$(line_field x "$menu") $(line_field y "$menu")" "400 300"
check "window stays hidden while the menu is open" wait_shown 0 2
probe post "$MAIN_TITLE" $WM_CANCELMODE 0 0 >/dev/null
check "WM_CANCELMODE closes the menu" no_menu "$pid"
check "the callback returns when the menu has closed" wait_ended "$sender" 30
expect_eq "right button up handled" "$(tr -d '\r' <"$answer")" 1
check "a closed menu runs no command" wait_shown 0 2

# With the mouse on the notification icon. Menu items are 17 pixels high
# under a 3-pixel border: the first item's middle is 11 below the top, the
# last one's 12 above the bottom.
point=$(tray_point)
# shellcheck disable=SC2086
xdotool mousemove $point click 3
menu=$(wait_menu "$pid")
check "right click on the icon opens the menu" test -n "$menu"
xdotool mousemove $(($(line_field x "$menu") + 40)) $(($(line_field y "$menu") + 11)) click 1
check "first item (&Show Tessaly) shows the window" wait_shown 1 15
probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null
check "hidden again" wait_shown 0 15
# shellcheck disable=SC2086
xdotool mousemove $point click 3
menu=$(wait_menu "$pid")
check "the menu opens again" test -n "$menu"
xdotool mousemove $(($(line_field x "$menu") + 40)) \
  $(($(line_field y "$menu") + $(line_field cy "$menu") - 12)) click 1
check "last item (&Unload Vantor Tessaly) ends the program" wait_ended "$TESSALY_PID" 20
expect_eq "no main window left" "$(main_line)" ""
e2e_end
