#!/usr/bin/env bash
# The quick-check status light on the screen: kMsgQuickCheckStatus with wParam 1 draws
# the red lamp and with 0 the green one, at once, transparently over the
# background (no cyan ground); hiding and showing the window keeps the lamp.
# Colours are read from a screenshot of the X display and cross-checked with
# the platform's own screen pixel in the same coordinates.
. "$(dirname "$0")/lib.sh"
e2e_begin

check "starts with -display" start_tessaly -display -nosplash
check "shown" probe wait-visible "$MAIN_TITLE" 1 30
sleep 1  # let the start-up ticks pass

# The lamp is drawn at the top-left corner of control IDC_LIGHT (16 x 16 pixels on
# rich colour); its middle is the lamp, its corner pixel the transparent ground.
light=$(probe control "$MAIN_TITLE" $IDC_LIGHT)
lx=$(sed -nE 's/.* x=(-?[0-9]+).*/\1/p' <<<"$light")
ly=$(sed -nE 's/.* y=(-?[0-9]+).*/\1/p' <<<"$light")
check "light frame found on the screen" test -n "$lx" -a -n "$ly"

# The same point as the platform's screen device sees it: agreeing with the
# screenshot shows that screen coordinates start at the X root's origin.
desktop_lamp_colour() {
  # shellcheck disable=SC2046
  colour_name $(probe pixel $((lx + 8)) $((ly + 8)))
}
# Polls until the lamp shows WANT, then records it.
expect_lamp() {
  wait_until 30 output_is "$1" lamp_colour  # painted later on a slow machine
  expect_eq "$2: lamp on screen" "$(lamp_colour)" "$1"
  expect_eq "$2: lamp seen by the platform" "$(desktop_lamp_colour)" "$1"
}

expect_lamp green "at start"
check "lamp's cyan ground is transparent" test "$(lamp_colour 1 1)" != cyan

for index in 1 0 1; do
  colour=green
  [ "$index" = 1 ] && colour=red
  expect_eq "kMsgQuickCheckStatus wParam $index answered" "$(probe send "$MAIN_TITLE" $kMsgQuickCheckStatus "$index" 0)" 0
  expect_lamp "$colour" "kMsgQuickCheckStatus wParam $index"
done
check "red lamp's cyan ground is transparent" test "$(lamp_colour 1 1)" != cyan

# "Minimize" hides the window; "&Show Tessaly" brings it back with the lamp.
probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null
check "hidden by Minimize" probe wait-visible "$MAIN_TITLE" 0 10
probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_SHOW 0 >/dev/null
check "shown by Show Tessaly" probe wait-visible "$MAIN_TITLE" 1 10
expect_lamp red "shown again"
check "unload" stop_tessaly
e2e_end
