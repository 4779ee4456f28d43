#!/usr/bin/env bash
# Enter and Esc end the splash as in any dialog, on every start of a Wine
# session, not only the first: Esc with the Cancel result (2), Enter with the
# OK result (1), where the splash's own timer ends it with 0. The splash's
# EndDialog is traced; the watcher presses the key as soon as the splash is
# the foreground window (from a script, the key came too late on a loaded
# machine, after the splash's three seconds).
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin

# The first start of a session is not the case: hold it before the others,
# its splash left to end by itself.
watch_splash
check "a first start" start_tessaly
check "first start: splash ends by itself" test -n "$(splash_watched '^ended' 60)"
check "unloaded" stop_tessaly

trace_calls "user32.EndDialog"
VK_RETURN=13 VK_ESCAPE=27
for case in Escape:$VK_ESCAPE:2 Return:$VK_RETURN:1; do
  IFS=: read -r key code result <<<"$case"
  log=$WINEPREFIX/splash-$key.log
  watch_splash 120 "$code"
  TESSALY_LOG=$log WINEDEBUG=+relay tessaly_start
  splash=$(splash_watched '^hwnd=' 120)
  check "$key: splash shown" test -n "$splash"
  check "$key: key pressed" test -n "$(splash_watched '^key sent' 20)"
  check "$key: splash ended" test -n "$(splash_watched '^ended' 20)"
  h=$(printf '%08x' "$(line_field hwnd "$splash")")
  expect_eq "$key: the splash ended by the key, with result $result" \
    "$(traced "$log" user32.EndDialog | grep "^$h," | head -n 1 | cut -d' ' -f1)" \
    "$h,$(printf '%08x' "$result")"
  check "$key: unloaded" stop_tessaly
done
e2e_end
