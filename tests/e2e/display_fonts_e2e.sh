#!/usr/bin/env bash
# The fonts of a Windows 95 desktop are there: dialogs are drawn in 8 point
# "MS Sans Serif" and caption buttons in Marlett (without them the labels are
# cut and the caption buttons show letters). Every label and check box of the
# shown main window holds its text in that font, at 96 and at 120 dots per
# inch (large fonts).
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin

face_of() { probe text-width "$1" 8 x | sed -n 's/^face=\(.*\) width=.*/\1/p'; }

# check_labels LABEL: each Static with text holds it; each check box
# (BS_AUTOCHECKBOX, 3) holds it beside its box (13 pixels and a gap of 3).
check_labels() {
  local hwnd line text style need width
  hwnd=$(line_field hwnd "$(main_line)")
  while read -r line; do
    text=$(sed 's/.* title=//' <<<"$line")
    [ -n "$text" ] || continue
    style=$(line_field style "$line")
    need=0
    if [ "$(line_field class "$line")" = Button ]; then
      [ $((style & 0xF)) -eq 3 ] || continue
      need=16
    fi
    width=$(line_field width "$(probe text-width "MS Sans Serif" 8 "${text//&/}")")
    need=$((need + width))
    check "$1: \"$text\" fits ($need <= $(line_field cx "$line") pixels)" \
      test "$need" -le "$(line_field cx "$line")"
  done < <(probe children "hwnd:$hwnd" Static; probe children "hwnd:$hwnd" Button)
}

expect_eq "dialog font present" "$(face_of "MS Sans Serif")" "MS Sans Serif"
expect_eq "caption-button font present" "$(face_of Marlett)" Marlett

check "starts with -display" start_tessaly -nosplash -display
check "main window shown" wait_shown 1 20
check_labels "96 dpi"
check "unload" stop_tessaly

# The desktop reads the resolution when it starts; the prefix's processes
# have ended with the write.
winebed_reg_set 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 120
check "large fonts: starts with -display" start_tessaly -nosplash -display
check "large fonts: main window shown" wait_shown 1 20
check_labels "120 dpi"
check "large fonts: unload" stop_tessaly
e2e_end
