#!/usr/bin/env bash
# The test bed's virtual displays: test beds started at the same moment each
# get an X server of their own, alive and answering on the display they
# name. A test bed that took another's server for its own would lose its
# display when the other test bed ends and stops that server.
set -u
. "$TESSALY_SOURCE/tests/e2e/lib.sh"  # check, expect_eq, e2e_end and the test bed
unset WINEPREFIX  # no Wine here: the clean-up ends no processes

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# bed NAME SCREEN: a test bed in the background that writes to NAME the
# display it got, then after three seconds "alive" if its server still runs
# and the screen size that the display then answers; then it ends. Its
# process joins BEDS.
BEDS=()
bed() {
  (
    WINEBED_SCREEN=$2 winebed_display 2>/dev/null || { echo none >"$work/$1"; exit; }
    echo "$DISPLAY" >"$work/$1"
    sleep 3
    if kill -0 "$WINEBED_XVFB_PID" 2>/dev/null; then echo alive >>"$work/$1"; fi
    echo "size $(timeout 10 xdotool getdisplaygeometry 2>/dev/null | tr ' ' x)" >>"$work/$1"
    winebed_cleanup
  ) &
  BEDS+=($!)
}
beds_done() {
  wait "${BEDS[@]}"
  BEDS=()
}

# own NAME WxH: the test bed's display was served by its own server, which
# outlived the three seconds, with the screen size it asked for.
own() {
  [ "$(head -n 1 "$work/$1")" != none ] && grep -qx alive "$work/$1" &&
    grep -qx "size $2" "$work/$1"
}

# distinct NAME...: the test beds named different displays.
distinct() {
  local name
  for name in "$@"; do head -n 1 "$work/$name"; done | sort -u | wc -l |
    grep -qx "$#"
}

# Four test beds at once, in rounds.
for round in 1 2 3 4 5; do
  for k in 1 2 3 4; do bed "at-once-$round-$k" 800x600x24; done
  beds_done
  for k in 1 2 3 4; do
    check "round $round, test bed $k of 4 started at once has its own display" \
      own "at-once-$round-$k" 800x600
  done
  check "round $round: four displays, no two the same" \
    distinct "at-once-$round-1" "at-once-$round-2" "at-once-$round-3" "at-once-$round-4"
done

e2e_end
