#!/usr/bin/env bash
# The backup folder fills up while a backup is written. The default backup
# folder, C:\Vantor\Recovery (also the main program's recovery folder), is a
# small tmpfs holding five earlier sets and 64 KB to spare; SYSTEM.DAT makes the new cabinet
# about 1 MB. Then:
#   - "&Backup System Files Now", answered Yes, fails: "LastTime" is not
#     stamped, every earlier set is still there byte for byte and passes
#     cabextract -t, and no part of the new cabinet is left;
#   - with room again the same command makes the backup and stamps "LastTime";
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

timeout 60 wine reg add "$SETTINGS_KEY" /v MaxOnce /t REG_DWORD /d 0 /f >/dev/null 2>&1
check "starts" start_tessaly -nosplash

# 1. The menu command on a folder with too little room.
check "full: the command is asked and answered" fault_menu_backup
fault_expect_refused "full"
fault_no_leftovers "full" "$save_dir"

# 2. With room again: the same command makes the backup.
rm -f "$WINEPREFIX/drive_c/windows/SYSTEM.DAT"
before=$(date +%s)
check "room: the command is asked and answered" fault_menu_backup
fault_expect_made "room" "$save_dir" "$before"

# 3. An idle run on the full folder again.
fault_keep_sets "$save_dir"
fault_large_system_file 1
fault_expect_idle_refused "idle"
fault_no_leftovers "idle" "$save_dir"

check "unload" stop_tessaly
e2e_end
