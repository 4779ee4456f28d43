#!/usr/bin/env bash
# The backup cabinet of VarnTools.dll, made under Wine and read with the Linux
# cabinet tool, and the companion libraries read as PE files:
#   - SaveSystemFiles writes <set>1.cab that cabextract lists, tests and
#     extracts: WIN.INI and SYSTEM.INI equal the prefix's own, DESCRIPT.TXT
#     holds the description;
#   - a second save replaces it with the new description, nothing else left;
#   - in a read-only folder, or a folder that is gone, it returns 0 and the
#     old cabinet is left byte for byte, with no stray files;
#   - a folder named <set>1.cab is refused and left as it was;
#   - without CABINET.DLL (as on Windows 95) VarnTools.dll still loads and
#     SaveSystemFiles returns 0, writing nothing;
#   - the libraries export plain names only and need no runtime DLLs.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
. "$(dirname "$0")/companion_e2e_common.sh"

# save DESCRIPTION FOLDER [SET]: prints the result SaveSystemFiles returned.
save() {
  companion_probe save "$1" "$(winebed_winpath "$2")" "${3:-Tessaly1}" | sed -n 's/^result //p'
}
cabextract_test() { cabextract -q -t "$1" >/dev/null 2>&1; }
listing() { ls -A "$1" | tr '\n' ' '; }

windows=$WINEPREFIX/drive_c/windows
save_dir=$work/save
mkdir -p "$save_dir"
cab=$save_dir/Tessaly11.cab

check "first save returns non-zero" test "$(save "Tessaly Backup on 12/7/2026 8:41 PM" "$save_dir")" = 1
check "only the cabinet is in the folder" test "$(listing "$save_dir")" = "Tessaly11.cab "
check "cabextract tests the cabinet" cabextract_test "$cab"
names=$(cabextract -l "$cab" 2>/dev/null |
  awk -F'|' 'NF == 3 && $1 ~ /[0-9]/ { gsub(/ /, "", $3); print $3 }' | sort | tr '\n' ' ')
check "cabinet lists DESCRIPT.TXT SYSTEM.INI WIN.INI ($names)" test "$names" = "DESCRIPT.TXT SYSTEM.INI WIN.INI "
out=$work/out1
mkdir -p "$out"
cabextract -q -d "$out" "$cab"
check "WIN.INI equals the prefix's" cmp -s "$out/WIN.INI" "$windows/win.ini"
check "SYSTEM.INI equals the prefix's" cmp -s "$out/SYSTEM.INI" "$windows/system.ini"
check "DESCRIPT.TXT holds the description" grep -q "Tessaly Backup on 12/7/2026 8:41 PM" "$out/DESCRIPT.TXT"

check "second save returns non-zero" test "$(save "The second backup" "$save_dir")" = 1
out=$work/out2
mkdir -p "$out"
cabextract -q -d "$out" "$cab"
check "the second cabinet holds the second description" grep -q "The second backup" "$out/DESCRIPT.TXT"
check "the second cabinet is whole" cabextract_test "$cab"
check "still only the cabinet in the folder" test "$(listing "$save_dir")" = "Tessaly11.cab "

cp "$cab" "$work/before.cab"
chmod a-w "$save_dir"
# Root writes anywhere; the probe and the Wine server (which opens files for
# it) run without that privilege so that the folder's permissions hold.
winebed_end_processes
readonly_result=$(WINEBED_TIMEOUT=120 setpriv --inh-caps=-dac_override,-dac_read_search \
  --bounding-set=-dac_override,-dac_read_search bash -c \
  '. "$0"; winebed_wine "$1" save "read-only" "$2" Tessaly1' \
  "$TESSALY_SOURCE/scripts/winebed.sh" "$TESSALY_TESTS/companion_probe.exe" \
  "$(winebed_winpath "$save_dir")" 2>/dev/null |
  tr -d '\r' | sed -n 's/^result //p')
winebed_end_processes
chmod u+w "$save_dir"
check "read-only folder: returns 0 ($readonly_result)" test "$readonly_result" = 0
check "read-only folder: old cabinet unchanged" cmp -s "$cab" "$work/before.cab"
check "read-only folder: no stray files" test "$(listing "$save_dir")" = "Tessaly11.cab "

check "vanished folder: returns 0" test "$(save "gone" "$work/vanished")" = 0
check "vanished folder: not created" test ! -e "$work/vanished"

mkdir -p "$save_dir/Tessaly21.cab/inner"
check "folder named Tessaly21.cab: returns 0" test "$(save "blocked" "$save_dir" Tessaly2)" = 0
check "folder named Tessaly21.cab: left as it was" test "$(listing "$save_dir/Tessaly21.cab")" = "inner "
check "folder named Tessaly21.cab: nothing else written" test "$(listing "$save_dir")" = "Tessaly11.cab Tessaly21.cab "
check "folder named Tessaly21.cab: set 1 untouched" cmp -s "$cab" "$work/before.cab"

# Windows 95 has no CABINET.DLL: the library is loaded only when a backup runs,
# and the backup then fails cleanly.
mkdir -p "$work/nocab"
nocab_result=$(WINEDLLOVERRIDES="$WINEDLLOVERRIDES;cabinet=d" save "no cabinet library" "$work/nocab")
check "no CABINET.DLL: returns 0 ($nocab_result)" test "$nocab_result" = 0
check "no CABINET.DLL: nothing written" test -z "$(listing "$work/nocab")"

# The libraries as PE files.
for dll in VarnTools VarnTests Quillet; do
  dump=$("$OBJDUMP" -p "$TESSALY_BIN/$dll.dll")
  runtime=$(sed -nE 's/^\s*DLL Name: (.*)$/\1/p' <<<"$dump" | grep -iE 'libstdc|libgcc|winpthread' || true)
  check "$dll.dll needs no runtime DLLs" test -z "$runtime"
  exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
                 inside && /^\s*$/ { inside = 0 }
                 inside { print $NF }' <<<"$dump" | sort | tr '\n' ' ')
  case $dll in
    VarnTools) want="DoInitializeTools SaveSystemFiles " ;;
    VarnTests) want="DoInitializeTests DoQuickCheck " ;;
    Quillet) want="DiffChangeSnapshotDir DiffSaveSnapshotGUI " ;;
  esac
  check "$dll.dll exports exactly: $want" test "$exports" = "$want"
done

e2e_end
