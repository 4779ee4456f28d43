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
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

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

mkdir -p "$(dirname "$out")"
out=$(readlink -f "$(dirname "$out")")/$(basename "$out")
rm -f "$out"
(cd "$stage" && zip -q -X "$out" Tessaly.exe Pellix.dll README.txt)
echo "$out"
