#!/usr/bin/env bash
# One folder, two spellings. "Vantor.ini" names the main program's folder
# C:\Vantor Program by its short (8.3) name, as setup programs of the era
# wrote it; "SaveDir" names its Recovery folder by the long name. The backup
# folder is then the main program's recovery folder, and each set's first
# cabinet is also that set's recovery cabinet. Two "&Backup System Files Now"
# in a row, answered Yes:
#   - the first writes set 1 and clears set 1's old recovery file, and the
#     new cabinet stays;
#   - the second writes set 2 (set 1 counts as present), and both first
#     cabinets stay, whole;
#   - "LastTime" is stamped.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"
. "$(dirname "$0")/fault_e2e_common.sh"
fault_begin e2e

long='C:\Vantor Program'
recovery="$WINEPREFIX/drive_c/Vantor Program/Recovery"
mkdir -p "$recovery"
short=$(timeout 60 winepath -s "$long" 2>/dev/null | tr -d '\r')
check "the folder has a short name of its own ($short)" \
  test -n "$short" -a "${short^^}" != "${long^^}"
printf '[Directories]\r\nMain=%s\r\n' "$short" >"$WINEPREFIX/drive_c/windows/Vantor.ini"
echo "recovery data of the old set 1" >"$recovery/Tessaly11.rcv"
winebed_reg_set "$SETTINGS_KEY" SaveDir REG_SZ "$long\\Recovery"

check "starts" start_tessaly -nosplash
before=$(date +%s)
check "first: the command is asked and answered" fault_menu_backup
check "first: set 1 written and kept" fault_cab_ok "$recovery/Tessaly11.cab"
check "first: set 1's old recovery file cleared" test ! -e "$recovery/Tessaly11.rcv"
check "second: the command is asked and answered" fault_menu_backup
check "second: set 2 written and kept" fault_cab_ok "$recovery/Tessaly21.cab"
check "second: set 1 still there" fault_cab_ok "$recovery/Tessaly11.cab"
stamp=$(fault_last_time)
check "LastTime stamped by the commands" test "${stamp:-0}" -ge "$before"
fault_no_leftovers "backups" "$recovery"
check "unload" stop_tessaly
e2e_end
