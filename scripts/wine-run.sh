#!/usr/bin/env bash
# Runs one Win32 program under Wine in a fresh Windows-95 prefix, with the
# build's bin folder on the DLL search path, and prints its output without
# carriage returns. Used by CTest as the cross-compiling emulator.
#
# With TESSALY_WINE_SESSIONS set (a folder), on a display of the run's, the
# program runs in a kept session under that folder instead (winebed.sh), one
# no other program holds at the time; when it fails, the session ends with
# it, so that what it left behind reaches no other program. Without a free
# session it gets a fresh prefix.
#
# The output goes through files, not a pipe: the services Wine starts with a
# prefix's first program inherit that program's standard output and can
# outlive it, so a reader of a pipe would wait for them, not for the program.
# They are ended once the program has exited, and the output printed then.
set -u
here=$(dirname "$(readlink -f "$0")")
. "$here/winebed.sh"
kept=0
if [ -n "${TESSALY_WINE_SESSIONS:-}" ] && [ -n "${DISPLAY:-}" ] &&
   [ "${WINEBED_OWN_DISPLAY:-0}" != 1 ] && winebed_session_take "$TESSALY_WINE_SESSIONS"; then
  kept=1
else
  winebed_start || exit 1
fi
if [ -n "${TESSALY_BIN:-}" ]; then
  WINEPATH=$(winebed_winpath "$TESSALY_BIN")
  export WINEPATH
fi
out=$(mktemp) err=$(mktemp)
# The session's lock stays with this script: a process the program starts
# that outlives it (the session's desktop process, when the program is the
# session's first with a window) does not hold it, nor this script's input.
winebed_wine "$@" </dev/null >"$out" 2>"$err" 7>&-
rc=$?
if [ "$kept" = 0 ]; then
  winebed_end_processes
elif [ "$rc" = 0 ]; then
  touch "$WINEBED_SESSION/used"
else
  winebed_session_end
fi
tr -d '\r' <"$out"
tr -d '\r' <"$err" >&2
rm -f "$out" "$err"
exit "$rc"
