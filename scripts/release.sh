#!/usr/bin/env bash
# The release archive, the one way the product leaves the build:
#
#   scripts/release.sh [BIN_DIR [OUT_ZIP]]
#
# builds (unless BIN_DIR is given) and writes OUT_ZIP (default
# build/Tessaly.zip) holding exactly Tessaly.exe, Pellix.dll (both stripped)
# and README.txt with CRLF line ends. The companion libraries and Vantor.Exe
# come with the main product; the stand-ins built here are for tests and demos
# and never go into the archive.
#
# The same commit gives the same archive, byte for byte, on any machine: every
# time stamp in it is SOURCE_DATE_EPOCH (when set, else the last commit's
# time), never the clock. The linker writes 0 for its own stamps (see
# cmake/toolchain-mingw-i686.cmake); strip sets the PE header's to
# SOURCE_DATE_EPOCH; the entries carry it as their modification time, in a
# fixed order, with fixed permissions and no extra fields.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) || {
    echo "release.sh: not a git checkout; set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
# zip writes local DOS time: in UTC it is the same everywhere. The locale,
# the umask and zip's option variables are the machine's, not the product's.
export TZ=UTC LC_ALL=C
unset ZIPOPT ZIP
umask 022

bin=${1:-}
out=${2:-build/Tessaly.zip}
if [ -z "$bin" ]; then
  scripts/install-deps.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target Tessaly Pellix
  bin=build/win32/bin
fi
STRIP=${STRIP:-i686-w64-mingw32-strip}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$STRIP" -o "$stage/Tessaly.exe" "$bin/Tessaly.exe"
"$STRIP" -o "$stage/Pellix.dll" "$bin/Pellix.dll"
sed 's/\r$//; s/$/\r/' res/release/README.txt >"$stage/README.txt"
entries=(Tessaly.exe Pellix.dll README.txt)
(cd "$stage" && chmod 0644 "${entries[@]}" && touch -d "@$SOURCE_DATE_EPOCH" "${entries[@]}")

mkdir -p "$(dirname "$out")"
out=$(readlink -f "$(dirname "$out")")/$(basename "$out")
rm -f "$out"
(cd "$stage" && zip -q -X "$out" "${entries[@]}")
echo "$out"
