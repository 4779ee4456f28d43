#!/usr/bin/env bash
# Three copies started within the same second, several times over: the first
# copy needs seconds before its main window exists, and a copy started in
# that time must still end by itself. Each time exactly one process stays,
# with one tray icon and one main window, and its idle count still falls on
# input that another program's window takes (its hooks are in place).
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin
ROUNDS=3
TIP="Double-click on the icon to open the Tessaly"

# Tessaly.exe processes of this prefix.
tessaly_processes() {
  local pid n=0
  for pid in $(pgrep -x Tessaly.exe); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      n=$((n + 1))
  done
  echo "$n"
}
# The starts still running, of those in $starts.
running_starts() {
  local pid n=0
  for pid in $starts; do kill -0 "$pid" 2>/dev/null && n=$((n + 1)); done
  echo "$n"
}
# Well below the 100 seconds set before the input: stamped since.
idle_reset() { [ "$(install_probe idle)" -lt 50 ]; }

# Another process's window, where the input goes (PellixProbe, as in
# pellix_cross_process_e2e); the pointer rests away from it meanwhile.
OTHER_X=600 OTHER_Y=350
xdotool mousemove 1010 750
(exec timeout 600 wine "$TESSALY_TESTS/PellixProbe.exe" window $OTHER_X $OTHER_Y 300 200 600) \
  >"$WINEPREFIX/other.log" 2>&1 &
check "another program's window" wait_until 30 grep -q ready "$WINEPREFIX/other.log"

for round in $(seq 1 $ROUNDS); do
  starts=""
  for copy in 1 2 3; do
    (cd "$TESSALY_DIR" && exec timeout 300 wine Tessaly.exe -nosplash) \
      >>"$WINEPREFIX/copy$copy.log" 2>&1 &
    starts="$starts $!"
  done
  check "round $round: two of three copies end by themselves" \
    wait_until 90 output_is 1 running_starts
  check "round $round: main window" probe wait-window "$MAIN_TITLE" 60
  settle_startup
  expect_eq "round $round: one Tessaly process" "$(tessaly_processes)" 1
  expect_eq "round $round: one main window" "$(main_line | wc -l)" 1
  expect_eq "round $round: one tray icon" "$(probe tray-tips | grep -cxF "$TIP")" 1

  check "round $round: idle count set" set_idle_seconds 100
  for step in 0 1 2 3 4 5; do
    xdotool mousemove $((OTHER_X + 40 + step * 30)) $((OTHER_Y + 40 + step * 20))
    sleep 0.1
  done
  xdotool mousemove 1010 750
  check "round $round: input elsewhere resets the idle count" wait_until 10 idle_reset

  for TESSALY_PID in $starts; do kill -0 "$TESSALY_PID" 2>/dev/null && break; done
  check "round $round: unload ends the survivor" stop_tessaly
done
e2e_end
