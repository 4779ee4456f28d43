#!/usr/bin/env bash
# The backup folder cannot be written. The default backup folder,
# C:\Vantor\Recovery, is a tmpfs holding five earlier sets, mounted read-only
# (which holds for root too). Then:
#   - "&Backup System Files Now", answered Yes, fails: "LastTime" is not
#     stamped, every earlier set is still there byte for byte and passes
#     cabextract -t, nothing new is in the folder, and the main program's
#     restore list still names every set's cabinet;
#   - an idle run logs its quick check but no "SaveFiles" line, and keeps
#     every set whole;
#   - made writable again, the same command makes the backup and stamps
#     "LastTime";
#   - the program is alive throughout.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"
. "$(dirname "$0")/fault_e2e_common.sh"
fault_begin e2e

save_dir=$TESSALY_DIR/Recovery  # the default backup folder
stage=$FAULT_WORK/sets
mkdir -p "$stage"
fault_make_sets "$stage" 5
fault_mount "$save_dir" "size=1m,mode=0777"
cp -p "$stage"/* "$save_dir"/
mount -o remount,ro "$save_dir" || fault_cannot_run "cannot remount $save_dir read-only"
fault_keep_sets "$save_dir"
fault_restore_list
ls -A "$save_dir" >"$FAULT_WORK/listing"
listing_kept() { ls -A "$save_dir" | cmp -s - "$FAULT_WORK/listing"; }
check "the folder refuses writes" bash -c '! touch "$1/probe" 2>/dev/null' _ "$save_dir"

winebed_reg_set "$SETTINGS_KEY" MaxOnce REG_DWORD 0
check "starts" start_tessaly -nosplash

# 1. The menu command.
check "read-only: the command is asked and answered" fault_menu_backup
fault_expect_refused "read-only"
check "read-only: nothing added or removed" listing_kept
check "read-only: restore list kept" restore_list_kept

# 2. An idle run.
fault_expect_idle_refused "idle"
check "idle: nothing added or removed" listing_kept
check "idle: restore list kept" restore_list_kept

# 3. Writable again: the backup is made.
mount -o remount,rw "$save_dir"
sleep 1
before=$(date +%s)
check "writable: the command is asked and answered" fault_menu_backup
fault_expect_made "writable" "$save_dir" "$before"

check "unload" stop_tessaly
e2e_end
