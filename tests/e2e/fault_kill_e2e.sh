#!/usr/bin/env bash
# SaveSystemFiles killed (kill -9 on its Wine process) while it writes and
# checks a new first cabinet over an old one, at several moments after the
# new file has appeared. After each kill:
#   - under the set's own name there is the old cabinet, byte for byte, or a
#     whole new one that cabextract tests, never a part of one; when the kill
#     fell between the two renames the old one waits as ".old";
#   - the next save puts a whole new cabinet in place and leaves no ".new" or
#     ".old" file behind, nor any scratch file ("vtf*.tmp") of the killed
#     save in the Temp folder;
#   - the other sets in the folder are untouched.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"
. "$(dirname "$0")/fault_e2e_common.sh"
fault_begin

save_dir=$FAULT_WORK/save
mkdir -p "$save_dir"
cab=$save_dir/Tessaly11.cab
fault_make_sets "$save_dir" 3
# The others are left alone by every save of set 1.
fault_keep_sets "$save_dir"
sed -i '/Tessaly11.cab/d' "$FAULT_WORK/sets.sha256"
# About 30 MB to write and read back: the kill has time to land.
fault_large_system_file 30

# The cabinet library's scratch files anywhere in the prefix's user folders.
scratch_files() {
  find "$WINEPREFIX/drive_c/users" -iname 'vtf*.tmp' 2>/dev/null
}

description_of() {
  cabextract -q -p -F DESCRIPT.TXT "$1" 2>/dev/null | tr -d '\r' | head -n 1
}

# Starts a save of set 1 and kills it DELAY seconds after the new file shows.
# Prints where the kill fell: "killed" or "finished" (it ended first).
save_and_kill() {
  local delay=$1 i
  (exec wine "$TESSALY_TESTS/companion_probe.exe" save "$2" "$(winebed_winpath "$save_dir")" \
     Tessaly1 >/dev/null 2>&1) &
  local pid=$!
  for i in $(seq 1 3000); do
    [ -e "$cab.new" ] || ! kill -0 "$pid" 2>/dev/null && break
    sleep 0.01
  done
  sleep "$delay"
  if kill -9 "$pid" 2>/dev/null; then echo killed; else echo finished; fi
  wait "$pid" 2>/dev/null
}

cp "$cab" "$FAULT_WORK/old.cab"
attempt=0
killed=0
for delay in 0 0 0.05 0.1 0.2 0.3; do
  attempt=$((attempt + 1))
  label="kill $attempt (${delay}s after the new file)"
  outcome=$(save_and_kill "$delay" "Killed backup $attempt")
  [ "$outcome" = killed ] && killed=$((killed + 1))
  state=$(ls -A "$save_dir" | grep '^Tessaly11' | tr '\n' ' ')
  echo "$label: $outcome; left: $state; scratch files: $(scratch_files | wc -l)"
  if [ -e "$cab" ]; then
    if cmp -s "$cab" "$FAULT_WORK/old.cab"; then
      check "$label: the old cabinet is in place, unchanged" true
    else
      check "$label: a new cabinet in place is whole" fault_cab_ok "$cab"
      expect_eq "$label: and is this attempt's" "$(description_of "$cab")" "Killed backup $attempt"
    fi
  else
    check "$label: no cabinet under the name, so the old one is kept aside" \
      cmp -s "$cab.old" "$FAULT_WORK/old.cab"
  fi
  expect_eq "$label: the next save succeeds" "$(fault_save "After kill $attempt" "$save_dir" Tessaly1)" 1
  check "$label: its cabinet is whole" fault_cab_ok "$cab"
  expect_eq "$label: and holds its description" "$(description_of "$cab")" "After kill $attempt"
  fault_no_leftovers "$label" "$save_dir"
  expect_eq "$label: no scratch file left" "$(scratch_files | wc -l)" 0
  fault_check_sets "$label"
  cp "$cab" "$FAULT_WORK/old.cab"
done
echo "$killed of $attempt saves were killed before they ended"
check "at least one save was killed in the middle" test "$killed" -ge 1

e2e_end
