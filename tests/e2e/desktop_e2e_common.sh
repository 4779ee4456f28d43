# Helpers of the start-up, tray and display scripts: source after lib.sh.
#
#   line_field NAME LINE     the value of NAME=... in a probe line
#   main_line                the probe line of the main window (the dialog
#                            titled "Vantor Tessaly" with control IDC_IDLE)
#   first_line SECONDS CMD...  polls CMD until it prints a line
#   tray_point               "X Y": the middle of the one icon in the Wine
#                            desktop's notification area
#   tray_tip                 the tip that the icon shows under the pointer
#   trace_calls [FUNCTIONS]  Wine relay tracing of those exports (default
#                            the hook and tray calls) for the next start
#   traced LOG FUNCTION      the traced calls of FUNCTION, "ARGS -> RESULT"
#   wait_ended PID SECONDS   until the process has ended
#   check_splash LABEL [covered]   checks the splash of the program started
#                            after watch_splash (scripts/layout.sh)
#   check_main_picture LABEL         checks the picture of the shown main window
#
# Colours are read through Wine (probe pixel, probe colours), not from X
# screenshots: on an 8-bit display Wine draws through a colour map of its
# own, which a screenshot of the X root window does not use.

line_field() {
  sed -nE "s/.*(^| )$1=([^ ]*).*/\\2/p" <<<"$2" | head -n 1
}

main_line() {
  local line
  while read -r line; do
    [[ $line == *" title=$MAIN_TITLE" ]] || continue
    probe children "hwnd:$(line_field hwnd "$line")" | grep -q " id=$IDC_IDLE " && echo "$line"
  done < <(probe windows '#32770')
}

# first_line SECONDS CMD...: polls CMD until it prints a line; prints it.
first_line() {
  local seconds=$1
  shift
  wait_until "$seconds" prints_line "$@" && echo "$PRINTED_LINE"
}

# Wine 8's desktop taskbar puts the first notification icon at its right
# end, in a cell of the small-icon width plus 4 pixels (20 at 96 dpi).
tray_point() {
  local tray x y cx cy
  tray=$(probe windows Shell_TrayWnd | grep ' visible=1 ' | head -n 1)
  [ -n "$tray" ] || return 1
  x=$(line_field x "$tray") y=$(line_field y "$tray")
  cx=$(line_field cx "$tray") cy=$(line_field cy "$tray")
  echo "$((x + cx - 10)) $((y + cy / 2))"
}

tray_tip() {
  local point tip
  point=$(tray_point) || return 1
  # shellcheck disable=SC2086
  xdotool mousemove 0 0 mousemove $point
  tip=$(first_line 10 visible_tips) || return 1
  probe window-text "hwnd:$(line_field hwnd "$tip")"
}

visible_tips() {
  probe windows tooltips_class32 | grep ' visible=1 '
}

trace_calls() {
  winebed_reg_set 'HKCU\Software\Wine\Debug' RelayInclude REG_SZ \
    "${1:-user32.SetWindowsHookExA;user32.UnhookWindowsHookEx;shell32.Shell_NotifyIconA}"
}

# Relay lines: "0118:Call user32.UnhookWindowsHookEx(0002009e) ret=..." and
# "0118:Ret  user32.UnhookWindowsHookEx() retval=00000001 ret=...".
traced() {
  tr -d '\r' <"$1" | awk -v f="$2" '
    index($0, ":Call " f "(") { a = $0; sub(/.*\(/, "", a); sub(/\).*/, "", a); next }
    index($0, ":Ret  " f "(") { r = $0; sub(/.*retval=/, "", r); sub(/ .*/, "", r); print a " -> " r }'
}

wait_ended() {
  wait_until "$2" process_gone "$1"
}

# "TYPE THREAD set|failed, ..." from traced SetWindowsHookExA lines, and
# "HOOK ok|failed, ..." from traced UnhookWindowsHookEx lines.
hook_calls() {
  local args arrow result out=() a
  while read -r args arrow result; do
    IFS=, read -r -a a <<<"$args"
    if [ "${#a[@]}" -gt 1 ]; then
      out+=("$((16#${a[0]})) $((16#${a[3]})) $([ $((16#$result)) -ne 0 ] && echo set || echo failed)")
    else
      out+=("${a[0]} $([ $((16#$result)) -ne 0 ] && echo ok || echo failed)")
    fi
  done
  local IFS=,
  echo "${out[*]}" | sed 's/,/, /g'
}

# wait_shown 0|1 SECONDS: until the main window is hidden, or shown.
wait_shown() {
  probe wait-visible "$MAIN_TITLE" "$1" "$2" >/dev/null
}

# expect_main_size WIDTH HEIGHT: the main window's outer size is the
# picture's size plus the dialog frame and a caption of SM_CYSIZE.
expect_main_size() {
  local metrics state
  metrics=$(probe metrics)
  state=$(probe window "$MAIN_TITLE")
  expect_eq "window width $1 + 2 x SM_CXDLGFRAME" "$(line_field cx "$state")" \
    $(($1 + 2 * $(line_field cxdlgframe "$metrics")))
  expect_eq "window height $2 + SM_CYSIZE + 2 x SM_CYDLGFRAME" "$(line_field cy "$state")" \
    $(($2 + $(line_field cysize "$metrics") + 2 * $(line_field cydlgframe "$metrics")))
}

# traced_calls LOG: every traced call, "Name(ARGS)" with text arguments
# without their addresses, and " -> RESULT" after FindWindowA.
traced_calls() {
  tr -d '\r' <"$1" | sed -nE \
    -e 's/^[0-9a-f]+:Call [a-z0-9]+\.([A-Za-z]+)\((.*)\) ret=[0-9a-f]+$/\1(\2)/p' \
    -e 's/^[0-9a-f]+:Ret  [a-z0-9]+\.FindWindowA\(\) retval=([0-9a-f]+) .*/-> \1/p' |
    sed -E 's/[0-9a-f]{8} "/"/g' | sed -e ':a' -e 'N' -e '$!ba' -e 's/\n-> / -> /g'
}

quiet() {
  "$@" >/dev/null
}

# For half a second after start-up the start-up ticks (timer 3, five ticks of
# 100 ms) hide the main window again; a window shown in that time is hidden
# by the next tick. Nothing outside shows when the ticks are over.
settle_startup() {
  sleep 1.5
}

SCREEN_W=1024 SCREEN_H=768

# check_splash LABEL [covered]: the splash of the program started after
# watch_splash, as the watcher saw it while it was up (on a screen of
# SCREEN_W x SCREEN_H), and its end. "covered": the main window is shown over
# it (Wine puts the shown owner above the splash it owns), so its picture is
# not looked at.
check_splash() {
  local splash x y style
  splash=$(splash_watched '^hwnd=' 60)
  check "$1: splash shown" test -n "$splash"
  expect_eq "$1: splash size" "$(line_field cx "$splash")x$(line_field cy "$splash")" 293x84
  # A popup (WS_POPUP 0x80000000) without caption or border (0x00C00000).
  style=$(line_field style "$splash")
  expect_eq "$1: popup without caption or border" \
    "$((style & 0x80000000)) $((style & 0x00C00000))" "$((0x80000000)) 0"
  x=$(line_field x "$splash") y=$(line_field y "$splash")
  expect_eq "$1: centred across the screen" "$x" $(((SCREEN_W - 293) / 2))
  check "$1: centred down the screen" test "$((y * 2 + 84 - SCREEN_H))" -ge -40 -a \
    "$((y * 2 + 84 - SCREEN_H))" -le 2
  check "$1: splash ends by itself" test -n "$(splash_watched '^ended' 20)"
  if [ "${2:-}" != covered ]; then
    # The picture, not an empty window: many colours where a stretch of
    # bare desktop of the same size shows fewer.
    check "$1: splash showed a picture (8+ colours)" test "$(splash_colours)" -ge 8
    check "$1: bare desktop shows fewer than 8 colours" test "$(probe colours 0 0 293 84)" -lt 8
  fi
}

# check_main_picture LABEL: the shown main window shows its picture: many
# colours in its middle, which is not the desktop's colour. A window is
# painted after it is shown, later still on a slow machine: the colours are
# waited for.
check_main_picture() {
  local state x y cx cy
  state=$(probe window "$MAIN_TITLE")
  x=$(line_field x "$state") y=$(line_field y "$state")
  cx=$(line_field cx "$state") cy=$(line_field cy "$state")
  many_colours() {
    [ "$(probe colours $((x + cx / 2 - 100)) $((y + cy / 2 - 100)) 200 200)" -ge 8 ] 2>/dev/null
  }
  check "$1: window shows its picture (8+ colours)" wait_until 30 many_colours
  check "$1: window differs from the desktop" \
    test "$(probe pixel $((x + cx / 2)) $((y + cy / 2)))" != "$(probe pixel 5 5)"
}
