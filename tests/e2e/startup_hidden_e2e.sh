#!/usr/bin/env bash
# A start with "-NoSplash" (the switch in another letter case): the main
# window "Vantor Tessaly" is made but stays hidden, no splash shows, the hooks
# go in (mouse hook first) and the notification icon is added for the main
# window with id IDR_TRAY and the tip of string IDR_TRAY. A double click on the icon in
# the Wine desktop's notification area shows the window.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin
trace_calls

# Watched from before the start, with 30 seconds for a splash to show.
watch_splash 30
WINEDEBUG=+relay check "starts with -NoSplash" start_tessaly -NoSplash
main=$(main_line)
check "one main window" test "$(grep -c . <<<"$main")" = 1
hwnd=$(line_field hwnd "$main")
check "main window hidden" wait_shown 0 30
check "still hidden after the start-up ticks" wait_shown 0 5

# The shell holds an icon for the main window and id IDR_TRAY, and no other.
expect_eq "tray icon of the main window, id IDR_TRAY" "$(probe tray-icon "hwnd:$hwnd" $IDR_TRAY)" present
expect_eq "no tray icon with id 151" "$(probe tray-icon "hwnd:$hwnd" 151)" absent
expect_eq "icon tip" "$(tray_tip)" "Double-click on the icon to open the Tessaly"

log=$WINEPREFIX/tessaly.log
expect_eq "tray icon added once (NIM_ADD)" \
  "$(traced "$log" shell32.Shell_NotifyIconA | sed -E 's/^([0-9a-f]+),.* -> /\1 /')" \
  "00000000 00000001"
# Arguments: hook type, procedure, module, thread (0: every thread).
expect_eq "hooks: WH_MOUSE (7) then WH_KEYBOARD (2), system-wide, both set" \
  "$(traced "$log" user32.SetWindowsHookExA | hook_calls)" "7 0 set, 2 0 set"

# The splash, when there is one, comes up right after the main window; the
# watcher saw none in its 30 seconds.
expect_eq "no splash window with -NoSplash" "$(splash_watched '^timeout' 60)" timeout

# A double click on the icon, as a user makes it.
# shellcheck disable=SC2046
xdotool mousemove $(tray_point) click --repeat 2 --delay 100 1
check "double click on the icon shows the window" wait_shown 1 15
state=$(probe window "$MAIN_TITLE")
expect_eq "shown, not minimised" "$(line_field iconic "$state")" 0
probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null  # "Minimize"
check "Minimize hides it again" wait_shown 0 15
check "unload ends the process" stop_tessaly
e2e_end
