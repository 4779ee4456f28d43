#!/usr/bin/env bash
# A start with "-DISPLAY" (the switch in capitals): the splash, a popup of
# exactly 293 x 84 pixels with no caption, centred on the screen and showing
# its picture, comes up and ends by itself; the main window is shown at the
# size of its normal-font picture. A start without switches shows the splash
# too and keeps the main window hidden.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
SCREEN_W=1024 SCREEN_H=768
e2e_begin "${SCREEN_W}x${SCREEN_H}x24"

# check_splash LABEL: the splash of the running program, looked at while it
# is up; then waits for it to end. Sets $splash_hwnd.
check_splash() {
  local pid splash x y shot desktop middle style
  pid=$(line_field pid "$(main_line)")
  splash=$(wait_splash "$pid" 20)
  check "$1: splash shown" test -n "$splash"
  splash_hwnd=$(line_field hwnd "$splash")
  shot=$WINEPREFIX/splash.png
  shoot "$shot"
  expect_eq "$1: splash size" "$(line_field cx "$splash")x$(line_field cy "$splash")" 293x84
  # A popup (WS_POPUP 0x80000000) without caption or border (0x00C00000).
  style=$(line_field style "$splash")
  expect_eq "$1: popup without caption or border" \
    "$((style & 0x80000000)) $((style & 0x00C00000))" "$((0x80000000)) 0"
  x=$(line_field x "$splash") y=$(line_field y "$splash")
  expect_eq "$1: centred across the screen" "$x" $(((SCREEN_W - 293) / 2))
  check "$1: centred down the screen" test "$((y * 2 + 84 - SCREEN_H))" -ge -40 -a \
    "$((y * 2 + 84 - SCREEN_H))" -le 2
  # The picture, not an empty window: many colours, and its middle is not
  # the desktop's colour.
  check "$1: splash shows a picture (16+ colours)" \
    test "$(unique_colours "$shot" "$x" "$y" 293 84)" -ge 16
  desktop=$(shot_rgb "$shot" 5 5)
  middle=$(shot_rgb "$shot" $((x + 146)) $((y + 42)))
  check "$1: splash differs from the desktop ($middle / $desktop)" test "$middle" != "$desktop"
  check "$1: splash ends by itself" wait_destroyed "$splash_hwnd" 20
}

check "starts with -DISPLAY" start_tessaly -DISPLAY
check_splash "-DISPLAY"
check "-DISPLAY shows the main window" wait_shown 1 20
state=$(probe window "$MAIN_TITLE")
expect_eq "shown, not minimised" "$(line_field visible "$state") $(line_field iconic "$state")" "1 0"
expect_main_size 292 347
check "unload ends the process" stop_tessaly

check "starts without switches" start_tessaly
check_splash "no switches"
check "main window stays hidden" wait_shown 0 10
check "unload ends the process" stop_tessaly
e2e_end
