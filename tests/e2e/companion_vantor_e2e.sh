#!/usr/bin/env bash
# The Vantor.Exe stand-in as the peer of Tessaly: started with an argument
# text from a private folder, it holds the mutex "Vantor Is Running" and a
# window titled "Vantor"; messages kMsgVantorQuickCheck and kMsgVantorShow sent to it are logged with
# their parameters in Vantor.log beside it, after its command line; on
# WM_CLOSE it ends, and the mutex and the window go with it.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"
. "$(dirname "$0")/companion_e2e_common.sh"

# A private copy, so that its log is this test's alone.
cp "$TESSALY_BIN/Vantor.Exe" "$work/Vantor.Exe"
log=$work/Vantor.log

check "not running before the start" test "$(companion_probe vantor-find | tr '\n' ' ')" = "mutex 0 window 0 "

winebed_wine "$work/Vantor.Exe" /D:610 >/dev/null 2>&1 &
vantor=$!
vantor_found() { companion_probe vantor-find | tr '\n' ' '; }
wait_until 20 output_is "mutex 1 window 1 " vantor_found
found=$(vantor_found)
check "running: mutex and window ($found)" test "$found" = "mutex 1 window 1 "

check "kMsgVantorQuickCheck sent" test "$(companion_probe vantor-send $kMsgVantorQuickCheck 5 2)" = "sent 1"
check "kMsgVantorShow sent" test "$(companion_probe vantor-send $kMsgVantorShow 0 0)" = "sent 1"
check "kMsgVantorQuickCheck with all bits sent" test "$(companion_probe vantor-send $kMsgVantorQuickCheck 1 0xF)" = "sent 1"
check "asked to close" test "$(companion_probe vantor-close)" = "closed 1"

check "ended on WM_CLOSE" wait_until 20 process_gone "$vantor"
check "not running after the close" test "$(companion_probe vantor-find | tr '\n' ' ')" = "mutex 0 window 0 "

lines=$(tr -d '\r' <"$log" 2>/dev/null)
echo "$lines" | sed 's/^/  log: /'
first=$(head -n 1 <<<"$lines")
check "the command line comes first" grep -qE '^command line .*Vantor\.Exe"? /D:610$' <<<"$first"
events=$(grep -E '^message ' <<<"$lines" | tr '\n' '|')
check "the messages in order with their parameters" test "$events" = \
  "message $kMsgVantorQuickCheck wParam 5 lParam 2|message $kMsgVantorShow wParam 0 lParam 0|message $kMsgVantorQuickCheck wParam 1 lParam 15|"

e2e_end
