#!/usr/bin/env bash
# Runs one Win32 program under Wine in a fresh Windows-95 prefix, with the
# build's bin folder on the DLL search path, and prints its output without
# carriage returns. Used by CTest as the cross-compiling emulator.
set -u
here=$(dirname "$(readlink -f "$0")")
. "$here/winebed.sh"
winebed_start || exit 1
if [ -n "${TESSALY_BIN:-}" ]; then
  WINEPATH=$(winebed_winpath "$TESSALY_BIN")
  export WINEPATH
fi
winebed_wine "$@" | tr -d '\r'
exit "${PIPESTATUS[0]}"
