#!/usr/bin/env bash
# "&Backup System Files Now" (ID_TRAY_BACKUP_NOW) from outside: the program asks first in a
# "Vantor Tessaly" message box naming the backup folder; No leaves "LastTime"
# and the folder alone; Yes writes the first backup set's cabinet, stamps
# "LastTime" and shows the new time in the last-run field.
. "$(dirname "$0")/lib.sh"
e2e_begin

QUESTION='This will save critical system files to C:\Vantor\Recovery. Do you want to proceed?'
EARLIER=900000000  # a "LastTime" long ago: 9 July 1998
CABINET=$TESSALY_DIR/Recovery/Tessaly11.cab
IDYES=6
IDNO=7

last_time() { setting_number LastTime; }
stamped() { [ "$(last_time)" != "$EARLIER" ]; }
last_run_text() { probe control "$MAIN_TITLE" $IDC_LAST_RUN | sed -n 's/.* text=//p'; }
no_box() { ! probe box "$MAIN_TITLE" 0 >/dev/null; }

winebed_reg_set "$SETTINGS_KEY" LastTime REG_DWORD "$EARLIER"
check "starts" start_tessaly -nosplash
check "main window hidden" probe wait-visible "$MAIN_TITLE" 0 30
earlier_text=$(date_text $EARLIER)
# The window's set-up fills the field; the window can be found before that.
check "last-run field shows the stored time" wait_until 10 output_is "$earlier_text" last_run_text

# Posted, not sent: the question box holds the command until it is answered.
probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_BACKUP_NOW 0 >/dev/null
expect_eq "question asked" "$(probe box "$MAIN_TITLE" 30 $IDNO)" "$QUESTION"
check "No: question box closed" wait_until 10 no_box
expect_eq "No: LastTime unchanged" "$(last_time)" "$EARLIER"
check "No: no cabinet written" test ! -e "$CABINET"
expect_eq "No: last-run field unchanged" "$(last_run_text)" "$earlier_text"

before=$(date +%s)
probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_BACKUP_NOW 0 >/dev/null
expect_eq "question asked again" "$(probe box "$MAIN_TITLE" 30 $IDYES)" "$QUESTION"
check "Yes: LastTime stamped" wait_until 60 stamped
after=$(date +%s)
stamp=$(last_time)
check "Yes: LastTime is the time of the backup" test "${stamp:-0}" -ge "$before" -a "${stamp:-0}" -le "$after"
check "Yes: first set's cabinet written" test -s "$CABINET"
check "Yes: cabinet extracts" cabextract -t -q "$CABINET"
check "Yes: cabinet holds files" test "$(cabextract -l "$CABINET" 2>/dev/null | grep -c ' | ')" -ge 1
check "Yes: question box closed" no_box
expect_eq "Yes: last-run field shows the stamp" "$(last_run_text)" "$(date_text "${stamp:-0}")"
check "unload" stop_tessaly
e2e_end
