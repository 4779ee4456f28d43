#!/usr/bin/env bash
# A start with "-DISPLAY" (the switch in capitals): the splash, a popup of
# exactly 293 x 84 pixels with no caption, centred on the screen and showing
# its picture, comes up and ends by itself; the main window is shown at the
# size of its normal-font picture. A start without switches shows the splash
# too and keeps the main window hidden.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin

watch_splash
check "starts with -DISPLAY" start_tessaly -DISPLAY
check_splash "-DISPLAY" covered
check "-DISPLAY shows the main window" wait_shown 1 20
state=$(probe window "$MAIN_TITLE")
expect_eq "shown, not minimised" "$(line_field visible "$state") $(line_field iconic "$state")" "1 0"
expect_main_size 292 347
check_main_picture "-DISPLAY"
check "unload ends the process" stop_tessaly

watch_splash
check "starts without switches" start_tessaly
check_splash "no switches"
check "main window stays hidden" wait_shown 0 10
check "unload ends the process" stop_tessaly
e2e_end
