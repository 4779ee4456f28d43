#!/usr/bin/env bash
# An 8-bit display (a palette device under Wine): the splash and the main
# window are drawn with their pictures, at their sizes, and the program keeps
# running.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin "${SCREEN_W}x${SCREEN_H}x8"
expect_eq "8 bits per pixel" "$(line_field bitspixel "$(probe metrics)")" 8

watch_splash
check "starts without switches" start_tessaly
check_splash "8-bit"
check "main window hidden" wait_shown 0 20
settle_startup
expect_eq "tray double click handled" "$(probe send "$MAIN_TITLE" $kMsgTrayCallback $IDR_TRAY $WM_LBUTTONDBLCLK)" 1
check "main window shown" wait_shown 1 20
expect_main_size 292 347
check_main_picture "8-bit"
check "process alive" kill -0 "$TESSALY_PID"
check "window answers" quiet probe send "$MAIN_TITLE" 0 0 0
check "unload ends the process" stop_tessaly
e2e_end
