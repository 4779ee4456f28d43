#!/usr/bin/env bash
# The kept Wine sessions of the Win32 test programs (scripts/wine-run.sh):
# a program that passes leaves its session to the next one, free and still
# running; a program that fails ends it, so that what it left behind reaches
# no other program; and ending the sessions ends every process of theirs.
set -u
. "$TESSALY_SOURCE/tests/e2e/lib.sh"  # check, expect_eq, e2e_end and the test bed
unset WINEPREFIX

work=$(mktemp -d)
trap 'winebed_sessions_end "$work/sessions"; winebed_cleanup; rm -rf "$work"' EXIT
winebed_display || { echo "FAIL: no X display"; exit 1; }
export TESSALY_WINE_SESSIONS=$work/sessions WINEBED_SESSIONS=1
session=$work/sessions/0

# run ARGS: TessalyProbe.exe through the test programs' runner.
run() {
  "$TESSALY_SOURCE/scripts/wine-run.sh" "$TESSALY_TESTS/TessalyProbe.exe" "$@" >/dev/null 2>&1
}
keeper() {
  cat "$session/keeper" 2>/dev/null
}
# No process of the session's prefix is left.
session_gone() {
  ! grep -lqsz "^WINEPREFIX=$session/prefix\$" /proc/[0-9]*/environ
}

run windows
first=$(keeper)
check "a passing program leaves its session running" winebed_alive "$first"
check "and free: no process the program started holds its lock" flock -n "$session.lock" true
run windows
expect_eq "the next program runs in the same session" "$(keeper)" "$first"

run wait-window "No such window" 0
check "a failing program ends its session" process_gone "$first"
check "with every process of it" wait_until 30 session_gone
run windows
second=$(keeper)
check "the next program gets a new session" winebed_alive "$second"

# As the test command does, by a path relative to its folder.
(cd "$work" && winebed_sessions_end sessions)
check "ending the sessions ends their keepers" wait_until 30 process_gone "$second"
check "and every other process of theirs" wait_until 30 session_gone

e2e_end
