#!/usr/bin/env bash
# The release archive (scripts/release.sh) holds exactly Tessaly.exe,
# Pellix.dll and README.txt; the README has CRLF line ends throughout; the two
# programs are the built ones, stripped; no companion stand-in slips in.
set -u
: "${TESSALY_BIN:?}"
: "${TESSALY_SOURCE:?}"
STRIP=${STRIP:-i686-w64-mingw32-strip}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zip=$work/Tessaly.zip
bash "$TESSALY_SOURCE/scripts/release.sh" "$TESSALY_BIN" "$zip" >/dev/null || {
  echo "FAIL release.sh failed"; exit 1; }

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

exactly_three() {
  local got
  got=$(unzip -Z1 "$zip" | sort | paste -sd ' ')
  echo "     archive: $got"
  [ "$got" = "Pellix.dll README.txt Tessaly.exe" ]
}
check "the archive holds exactly Tessaly.exe, Pellix.dll and README.txt" exactly_three

mkdir "$work/x"
unzip -q "$zip" -d "$work/x" || exit 1

crlf_readme() {
  local lines crlf
  lines=$(wc -l <"$work/x/README.txt")
  crlf=$(grep -c $'\r$' "$work/x/README.txt")
  echo "     README.txt: $lines lines, $crlf end in CRLF"
  [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] && ! grep -q $'\r\r' "$work/x/README.txt"
}
check "README.txt has CRLF line ends" crlf_readme

same_as_built() {
  local f
  for f in Tessaly.exe Pellix.dll; do
    "$STRIP" -o "$work/$f" "$TESSALY_BIN/$f" || return 1
    # Past the headers, whose time stamp and checksum each strip sets anew.
    [ "$(stat -c %s "$work/$f")" = "$(stat -c %s "$work/x/$f")" ] &&
      cmp -s -i 1024 "$work/$f" "$work/x/$f" ||
      { echo "     $f differs from the stripped build"; return 1; }
  done
}
check "Tessaly.exe and Pellix.dll are the built files, stripped" same_as_built

[ "$failures" = 0 ] && echo PASS || { echo "$failures check(s) failed"; exit 1; }
