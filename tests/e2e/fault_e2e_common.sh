# Shared by the fault-injection scripts (fault_*_e2e.sh): source it after the
# environment checks, in place of lib.sh. It gives
#
#   fault_begin [e2e]      a fresh Wine test bed (with "e2e": the full one of
#                          e2e_begin, Tessaly laid out in C:\Vantor) and a
#                          private work folder $FAULT_WORK; on exit the Wine
#                          processes end, every mount made here is undone and
#                          everything is deleted, however the script ends
#   fault_cannot_run REASON  prints why the fault cannot be injected here and
#                          fails: a test that did not run has not passed
#   fault_mount DIR OPTS   mounts a tmpfs with OPTS (e.g. size=64k) on DIR;
#                          fails the test when that is not allowed here
#   fault_save DESC DIR SET   SaveSystemFiles through the companion probe;
#                          prints its result
#   fault_make_sets DIR N  real backup sets Tessaly1..N (their first cabinets)
#                          in DIR, a day apart in age, set 1 the oldest
#   fault_restore_list     the restore list in "Vantor.ini" names sets 1 to 5;
#                          restore_list_kept is true while it is unchanged
#   fault_keep_sets DIR    records the first cabinets in DIR as they are now
#   fault_check_sets LABEL every recorded cabinet is still there, byte for
#                          byte, and passes cabextract -t
#   fault_cab_ok FILE      cabextract -t passes
#   fault_no_leftovers LABEL DIR  no ".new" or ".old" file is left in DIR
#   fault_large_system_file MB  a compressible SYSTEM.DAT of about MB
#                          megabytes in the Windows folder: the next cabinet
#                          is that much larger and takes that much longer
#
# and, with Tessaly running:
#
#   fault_menu_backup      "&Backup System Files Now" answered Yes; returns
#                          once the command has been handled
#   fault_last_time        "LastTime" in decimal, or empty when not stored
#   fault_idle_run         makes the user look idle for over an hour and waits
#                          for the next idle poll to log its quick check (the
#                          first one: once per script)
#   fault_log_has SECTION  true when "Tessaly.ini" has that section
#   fault_answers          the main window answers a sent message
#
# and the checks that the fault scripts share:
#
#   fault_expect_refused LABEL   after the menu command on a faulty folder:
#                          "LastTime" not stored, every set kept, alive
#   fault_expect_idle_refused LABEL   an idle run takes place, logs no
#                          "SaveFiles" line, keeps every set; alive
#   fault_expect_made LABEL DIR BEFORE   after the menu command on a sound
#                          folder: "LastTime" stamped at BEFORE or later,
#                          exactly one set rewritten, every set whole, no
#                          leftovers
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

FAULT_MOUNTS=()
FAULT_WORK=
IDYES=6

fault_cleanup() {
  # The Wine processes go first: they hold files on the mounts open.
  if [ -n "${WINEPREFIX:-}" ]; then
    winebed_end_processes
  fi
  local mount
  for mount in "${FAULT_MOUNTS[@]}"; do
    umount "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null ||
      echo "warning: could not unmount $mount" >&2
  done
  FAULT_MOUNTS=()
  winebed_cleanup
  [ -n "$FAULT_WORK" ] && rm -rf "$FAULT_WORK"
}

fault_begin() {
  if [ "${1:-}" = e2e ]; then
    e2e_begin
  else
    winebed_start || { echo "FAIL: no Wine test bed"; exit 1; }
    WINEPATH=$(winebed_winpath "$TESSALY_BIN")  # the probe binds the companion DLLs
    export WINEPATH
  fi
  FAULT_WORK=$(mktemp -d /tmp/fault-e2e.XXXXXX)
  trap fault_cleanup EXIT
  trap 'exit 130' INT TERM HUP
}

fault_cannot_run() {
  echo "NOT RUN: $*"
  exit 1
}

fault_mount() {
  [ "$(id -u)" = 0 ] || fault_cannot_run "mounting a tmpfs needs root (running as uid $(id -u))"
  mkdir -p "$1"
  mount -t tmpfs -o "$2" tmpfs "$1" 2>"$FAULT_WORK/mount.err" ||
    fault_cannot_run "cannot mount a tmpfs on $1: $(cat "$FAULT_WORK/mount.err")"
  FAULT_MOUNTS+=("$1")
}

fault_save() {
  winebed_wine "$TESSALY_TESTS/companion_probe.exe" save "$1" "$(winebed_winpath "$2")" "$3" \
    2>/dev/null | tr -d '\r' | sed -n 's/^result //p'
}

fault_make_sets() {
  local dir=$1 count=$2 n
  for n in $(seq 1 "$count"); do
    [ "$(fault_save "Earlier backup $n" "$dir" "Tessaly$n")" = 1 ] ||
      { echo "FAIL: could not make earlier set $n"; exit 1; }
    touch -d "@$(($(date +%s) - (count - n + 1) * 86400))" "$dir/Tessaly${n}1.cab"
  done
}

# fault_restore_list: the main program's restore list names the first
# cabinets of sets 1 to 5 (Cab1 to Cab5 in "Vantor.ini", $vantor_ini); a copy
# is kept for restore_list_kept.
fault_restore_list() {
  vantor_ini=$WINEPREFIX/drive_c/windows/Vantor.ini
  printf '[Restore Files]\r\n' >>"$vantor_ini"
  local n
  for n in 1 2 3 4 5; do
    printf 'Cab%d=C:\\Vantor\\Recovery\\Tessaly%d1.cab\r\n' "$n" "$n" >>"$vantor_ini"
  done
  cp "$vantor_ini" "$FAULT_WORK/Vantor.ini"
}
restore_list_kept() { cmp -s "$vantor_ini" "$FAULT_WORK/Vantor.ini"; }

fault_keep_sets() {
  (cd "$1" && sha256sum Tessaly?1.cab) >"$FAULT_WORK/sets.sha256"
  FAULT_SETS_DIR=$1
}

fault_check_sets() {
  local label=$1 name
  check "$label: every earlier set's first cabinet is there, unchanged" \
    bash -c 'cd "$1" && sha256sum --quiet -c "$2"' _ "$FAULT_SETS_DIR" "$FAULT_WORK/sets.sha256"
  for name in $(awk '{ print $2 }' "$FAULT_WORK/sets.sha256"); do
    check "$label: cabextract -t $name" fault_cab_ok "$FAULT_SETS_DIR/$name"
  done
}

fault_cab_ok() {
  cabextract -q -t "$1" >/dev/null 2>&1
}

fault_no_leftovers() {
  expect_eq "$1: no .new or .old file left" "$(ls -A "$2" | grep -Ec '\.(new|old)$')" 0
}

fault_large_system_file() {
  head -c "$(($1 * 786432))" /dev/urandom | base64 >"$WINEPREFIX/drive_c/windows/SYSTEM.DAT"
}

fault_menu_backup() {
  probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_BACKUP_NOW 0 >/dev/null || return 1
  [ "$(probe box "$MAIN_TITLE" 30 $IDYES)" != timeout ] || return 1
  # The answer is posted to the box, and the box's own loop takes a sent
  # message before a posted one: a message sent while the box is up is
  # answered before the backup starts. Once the box is gone the command
  # goes on without taking messages (one thread), so a sent message is
  # answered only after it is done.
  wait_until 30 fault_no_box && fault_answers
}

fault_no_box() {
  ! probe box "$MAIN_TITLE" 0 >/dev/null
}

fault_last_time() {
  local value
  value=$(reg_value "$SETTINGS_KEY" LastTime)
  [[ $value == "REG_DWORD 0x"* ]] && echo $((${value#REG_DWORD }))
}

fault_log_has() {
  local log
  log=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname Tessaly.ini | head -n 1)
  [ -n "$log" ] && grep -qi "^\[$1\]" "$log"
}

fault_answers() {
  probe send "$MAIN_TITLE" 0 0 0 >/dev/null
}

fault_idle_run() {
  set_idle_seconds 4000 || return 1
  wait_until 100 fault_log_has QuickCheck
}

fault_expect_refused() {
  expect_eq "$1: LastTime not stamped" "$(fault_last_time)" ""
  fault_check_sets "$1"
  check "$1: program alive" kill -0 "$TESSALY_PID"
}

fault_expect_idle_refused() {
  local logged=no
  check "$1: the idle run took place" fault_idle_run
  fault_log_has SaveFiles && logged=yes
  expect_eq "$1: no SaveFiles line logged" "$logged" no
  fault_check_sets "$1"
  check "$1: program alive" kill -0 "$TESSALY_PID"
  check "$1: main window answers" fault_answers
}

fault_expect_made() {
  local label=$1 dir=$2 before=$3 stamp written cab
  stamp=$(fault_last_time)
  check "$label: LastTime stamped by the command" test "${stamp:-0}" -ge "$before"
  written=$(cd "$dir" && sha256sum -c "$FAULT_WORK/sets.sha256" 2>/dev/null | grep -c FAILED)
  expect_eq "$label: exactly one set rewritten" "$written" 1
  for cab in "$dir"/Tessaly?1.cab; do
    check "$label: cabextract -t $(basename "$cab")" fault_cab_ok "$cab"
  done
  fault_no_leftovers "$label" "$dir"
}
