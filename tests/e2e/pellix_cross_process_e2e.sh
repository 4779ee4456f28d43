#!/usr/bin/env bash
# Pellix.dll across processes, black-box under Wine on a private display:
#   - IdleWatch (process A) installs the hooks and prints its idle count;
#   - mouse movement over a window of another process (PellixProbe, B) makes
#     the platform map the library into B and brings A's count back to 0..1;
#   - a third process that merely maps the library reads the same count as A.
set -u
: "${TESSALY_BIN:?}" "${TESSALY_TESTS:?}" "${TESSALY_SOURCE:?}"

. "$TESSALY_SOURCE/scripts/winebed.sh"
WINEBED_OWN_DISPLAY=1 WINEBED_NO_TRAP=1 winebed_start || exit 1
work=$(mktemp -d)
trap 'winebed_cleanup; rm -rf "$work"' EXIT
WINEPATH=$(winebed_winpath "$TESSALY_BIN")
export WINEPATH
export WINEBED_TIMEOUT=90

# Window of B, well clear of IdleWatch's (100,100 400x200); the pointer rests
# on bare desktop away from both until the test moves it.
B_X=600 B_Y=350 B_W=300 B_H=200
xdotool mousemove 1010 750

fail() {
  echo "FAIL: $*"
  echo "--- IdleWatch (A)"; tr -d '\r' <"$work/a.log"
  echo "--- PellixProbe window (B)"; tr -d '\r' <"$work/b.log"
  exit 1
}

# wait_for SECONDS COMMAND...: polls COMMAND until it succeeds.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# A's counts, one a line, oldest first.
a_counts() { tr -d '\r' <"$work/a.log" | sed -nE 's/^idle (-?[0-9]+) s$/\1/p'; }
a_lines() { a_counts | wc -l; }
# a_reaches FROM MIN MAX: a count in [MIN, MAX] among the lines after line FROM.
a_reaches() { a_counts | tail -n +"$(($1 + 1))" | awk -v lo="$2" -v hi="$3" '$1>=lo && $1<=hi {f=1} END {exit !f}'; }
b_says() { tr -d '\r' <"$work/b.log" | grep -qx "$1"; }

winebed_wine "$TESSALY_TESTS/PellixProbe.exe" window $B_X $B_Y $B_W $B_H 80 >"$work/b.log" 2>&1 &
wait_for 30 b_says ready || fail "B did not show its window"
winebed_wine "$TESSALY_BIN/IdleWatch.exe" 80 >"$work/a.log" 2>&1 &
wait_for 30 a_reaches 0 0 1000000 || fail "A printed no idle count"

# With no input anywhere, A's count climbs to 3.
wait_for 15 a_reaches 0 3 1000000 || fail "A's idle count did not reach 3"
b_says "pellix mapped" && fail "Pellix.dll was mapped into B before any input reached it"
echo "A idle before input: $(a_counts | tail -n 1)"

# Mouse movement over B's window only.
before=$(a_lines)
for step in 0 1 2 3 4 5; do
  xdotool mousemove $((B_X + 40 + step * 30)) $((B_Y + 40 + step * 20))
  sleep 0.1
done
wait_for 10 a_reaches "$before" 0 1 || fail "A's idle count did not fall back to 0..1 after input in B"
wait_for 5 b_says "pellix mapped" || fail "the platform did not map Pellix.dll into B"
echo "A idle after input in B: $(a_counts | tail -n +"$((before + 1))" | head -n 1)"

# A reader that only maps the library sees A's count: bracketed by A's last
# count before it runs and A's first count after it.
wait_for 15 a_reaches "$(a_lines)" 2 1000000 || fail "A's idle count did not climb again"
a1=$(a_counts | tail -n 1)
reader=$(winebed_wine "$TESSALY_TESTS/PellixProbe.exe" idle 2>&1 | tr -d '\r')
c=$(sed -nE 's/^idle (-?[0-9]+)$/\1/p' <<<"$reader")
[ -n "$c" ] || fail "the reader printed no count: $reader"
after=$(a_lines)
wait_for 5 a_reaches "$after" -1000000 1000000 || fail "A printed nothing after the reader"
a2=$(a_counts | tail -n +"$((after + 1))" | head -n 1)
echo "A before reader: $a1, reader: $c, A after reader: $a2"
[ "$c" -ge 2 ] || fail "the reader's count $c is not A's (A had $a1): the word is not shared"
[ "$a1" -le "$c" ] && [ "$c" -le "$a2" ] || fail "the reader's count $c lies outside A's counts $a1..$a2"
echo "PASS"
