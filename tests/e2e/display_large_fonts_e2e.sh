#!/usr/bin/env bash
# Large fonts (120 dots per inch): the main window takes the size of the
# large-font picture, 391 x 429 pixels plus frame and caption.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin
winebed_reg_set 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 120
expect_eq "120 dots per inch" "$(line_field logpixelsx "$(probe metrics)")" 120

check "starts with -display" start_tessaly -display -nosplash
check "main window shown" wait_shown 1 20
expect_main_size 391 429
check_main_picture "large fonts"
check "unload ends the process" stop_tessaly
e2e_end
