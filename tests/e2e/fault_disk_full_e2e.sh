#!/usr/bin/env bash
# The backup folder fills up while a backup is written. The default backup
# folder, C:\Vantor\Recovery (also the main program's recovery folder), is a
# small tmpfs holding five earlier sets and 64 KB to spare; SYSTEM.DAT makes the new cabinet
# about 1 MB. Then:
#   - "&Backup System Files Now", answered Yes, fails: "LastTime" is not
#     stamped, every earlier set is still there byte for byte and passes
#     cabextract -t, no part of the new cabinet is left, and the recycled
#     set's recovery file and restore-list entry are kept;
#   - with room again the same command makes the backup and stamps "LastTime",
#     and only then the recycled set's recovery file goes and its entry is
#     emptied;
#   - an idle run on the full folder logs its quick check but no "SaveFiles"
#     line, and again every set (now with the new one) is kept whole;
#   - the program is alive throughout.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"
. "$(dirname "$0")/fault_e2e_common.sh"
fault_begin e2e

save_dir=$TESSALY_DIR/Recovery  # the default backup folder
stage=$FAULT_WORK/sets
mkdir -p "$stage"
fault_make_sets "$stage" 5
# Set 3 is the one recycled (the third newest: the sets lie a day apart).
echo "recovery data of set 3" >"$stage/Tessaly31.rcv"
fault_restore_list
restore_entry() {
  tr -d '\r' <"$vantor_ini" | sed -n "s/^Cab$1=//p"
}

# Each file takes whole 4 KB pages of the tmpfs.
pages=$(find "$stage" -type f -printf '%s\n' | awk '{ n += int(($1 + 4095) / 4096) } END { print n }')
fault_mount "$save_dir" "size=$((pages * 4 + 64))k,mode=0777"
cp -p "$stage"/* "$save_dir"/
fault_keep_sets "$save_dir"
free_kb=$(df -k --output=avail "$save_dir" | tail -n 1 | tr -d ' ')
echo "backup folder: $pages pages used, ${free_kb} KB free"
fault_large_system_file 1
check "room for a part of the new cabinet only" test "$free_kb" -ge 32 -a "$free_kb" -lt \
  $(($(stat -c %s "$WINEPREFIX/drive_c/windows/SYSTEM.DAT") / 1024 / 2))

winebed_reg_set "$SETTINGS_KEY" MaxOnce REG_DWORD 0
check "starts" start_tessaly -nosplash

# 1. The menu command on a folder with too little room.
check "full: the command is asked and answered" fault_menu_backup
fault_expect_refused "full"
fault_no_leftovers "full" "$save_dir"
check "full: set 3's recovery file kept" test -e "$save_dir/Tessaly31.rcv"
check "full: restore list kept" restore_list_kept

# 2. With room again: the same command makes the backup.
rm -f "$WINEPREFIX/drive_c/windows/SYSTEM.DAT"
before=$(date +%s)
check "room: the command is asked and answered" fault_menu_backup
fault_expect_made "room" "$save_dir" "$before"
check "room: set 3's recovery file removed" test ! -e "$save_dir/Tessaly31.rcv"
expect_eq "room: set 3's restore entry emptied" "$(restore_entry 3)" ""
expect_eq "room: the other entries kept" "$(restore_entry 2) $(restore_entry 4)" \
  'C:\Vantor\Recovery\Tessaly21.cab C:\Vantor\Recovery\Tessaly41.cab'

# 3. An idle run on the full folder again.
fault_keep_sets "$save_dir"
fault_large_system_file 1
fault_expect_idle_refused "idle"
fault_no_leftovers "idle" "$save_dir"

check "unload" stop_tessaly
e2e_end
