#!/usr/bin/env bash
# Runs one Win32 program under Wine in a fresh Windows-95 prefix, with the
# build's bin folder on the DLL search path, and prints its output without
# carriage returns. Used by CTest as the cross-compiling emulator.
#
# The output goes through files, not a pipe: the services Wine starts with a
# prefix's first program inherit that program's standard output and can
# outlive it, so a reader of a pipe would wait for them, not for the program.
# They are ended once the program has exited, and the output printed then.
set -u
here=$(dirname "$(readlink -f "$0")")
. "$here/winebed.sh"
winebed_start || exit 1
if [ -n "${TESSALY_BIN:-}" ]; then
  WINEPATH=$(winebed_winpath "$TESSALY_BIN")
  export WINEPATH
fi
out=$(mktemp) err=$(mktemp)
winebed_wine "$@" >"$out" 2>"$err"
rc=$?
winebed_end_processes
tr -d '\r' <"$out"
tr -d '\r' <"$err" >&2
rm -f "$out" "$err"
exit "$rc"
