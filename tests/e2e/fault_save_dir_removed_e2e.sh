#!/usr/bin/env bash
# The backup folder is removed while the program runs. "SaveDir" names
# C:\Backups with three earlier sets; the main program's recovery folder
# holds the recovery files of set 4 (the next to be written) and the restore
# list names its cabinet. Once Tessaly has started the folder is taken away
# (moved aside, so that the sets can still be checked). Then:
#   - "&Backup System Files Now", answered Yes, fails: "LastTime" is not
#     stamped, the folder is not made again, the recovery files and the
#     restore list are untouched;
#   - a file in the folder's place refuses the command the same way, the
#     recovery files and the restore list untouched;
#   - an idle run logs its quick check but no "SaveFiles" line;
#   - the program is alive and answers; the sets moved aside are whole;
#   - with the folder back, the same command writes set 4.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"
. "$(dirname "$0")/fault_e2e_common.sh"
fault_begin e2e

save_dir=$WINEPREFIX/drive_c/Backups
recovery=$TESSALY_DIR/Recovery
vantor_ini=$WINEPREFIX/drive_c/windows/Vantor.ini
mkdir -p "$save_dir"
fault_make_sets "$save_dir" 3
fault_keep_sets "$save_dir"
echo "recovery data of set 4" >"$recovery/Tessaly41.rcv"
cp "$save_dir/Tessaly11.cab" "$recovery/Tessaly41.cab"
printf '[Restore Files]\r\nCab1=C:\\Vantor\\Recovery\\Tessaly41.cab\r\n' >>"$vantor_ini"
(cd "$recovery" && sha256sum Tessaly41.rcv Tessaly41.cab) >"$FAULT_WORK/recovery.sha256"
cp "$vantor_ini" "$FAULT_WORK/Vantor.ini"
recovery_kept() { (cd "$recovery" && sha256sum --quiet -c "$FAULT_WORK/recovery.sha256"); }
restore_list_kept() { cmp -s "$vantor_ini" "$FAULT_WORK/Vantor.ini"; }

winebed_reg_set "$SETTINGS_KEY" SaveDir REG_SZ 'C:\Backups'
winebed_reg_set "$SETTINGS_KEY" MaxOnce REG_DWORD 0
check "starts" start_tessaly -nosplash
check "the question names the folder" \
  test "$(probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_BACKUP_NOW 0 >/dev/null; probe box "$MAIN_TITLE" 30 7)" = \
  'This will save critical system files to C:\Backups. Do you want to proceed?'
fault_answers

moved=$FAULT_WORK/moved
mv "$save_dir" "$moved"
FAULT_SETS_DIR=$moved

# 1. The menu command.
check "removed: the command is asked and answered" fault_menu_backup
fault_expect_refused "removed"
check "removed: the folder is not made again" test ! -e "$save_dir"
check "removed: recovery files kept" recovery_kept
check "removed: restore list kept" restore_list_kept

# 2. A file where the folder was. No set is found in it, so set 1 would be
# the one chosen: its recovery file must stay too.
echo "not a folder" >"$save_dir"
echo "recovery data of set 1" >"$recovery/Tessaly11.rcv"
check "file: the command is asked and answered" fault_menu_backup
fault_expect_refused "file"
check "file: still the file" test -f "$save_dir"
check "file: recovery files kept" recovery_kept
check "file: set 1's recovery file kept" test -e "$recovery/Tessaly11.rcv"
rm -f "$recovery/Tessaly11.rcv"
check "file: restore list kept" restore_list_kept
rm -f "$save_dir"

# 3. An idle run.
fault_expect_idle_refused "idle"
check "idle: the folder is not made again" test ! -e "$save_dir"
check "idle: recovery files kept" recovery_kept
check "idle: restore list kept" restore_list_kept

# 4. The folder is back: the backup is made, into set 4.
mv "$moved" "$save_dir"
FAULT_SETS_DIR=$save_dir
sleep 1
before=$(date +%s)
check "back: the command is asked and answered" fault_menu_backup
stamp=$(fault_last_time)
check "back: LastTime stamped by the command" test "${stamp:-0}" -ge "$before"
check "back: set 4 written" fault_cab_ok "$save_dir/Tessaly41.cab"
fault_check_sets "back"
check "back: set 4's old recovery files cleared" test ! -e "$recovery/Tessaly41.rcv" -a \
  ! -e "$recovery/Tessaly41.cab"

check "unload" stop_tessaly
e2e_end
