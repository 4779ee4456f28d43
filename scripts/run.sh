#!/usr/bin/env bash
# The run command: installs what is missing, builds the Win32 deliverables and
# starts them under Wine in a Windows-95 prefix kept in build/run-prefix.
# With no display, a virtual one is used.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

. scripts/winebed.sh
WINEBED_PREFIX=$PWD/build/run-prefix
winebed_start
WINEPATH=$(winebed_winpath build/win32/bin)
export WINEPATH
echo "Prefix: $WINEPREFIX  Display: $DISPLAY"
winebed_wine build/win32/bin/IdleWatch.exe "${RUN_SECONDS:-0}" | tr -d '\r'
