#!/usr/bin/env bash
# Enter and Esc end the splash as in any dialog, on every start of a Wine
# session, not only the first: Esc with the Cancel result (2), Enter with the
# OK result (1), where the splash's own timer ends it with 0. The splash's
# EndDialog is traced; the key is sent as soon as the splash is on screen.
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
for case in Escape:2 Return:1; do
  key=${case%:*} result=${case#*:}
  log=$WINEPREFIX/splash-$key.log
  watch_splash
  TESSALY_LOG=$log WINEDEBUG=+relay tessaly_start
  # The key goes as soon as the watcher sees the splash, while it is up.
  splash=$(splash_watched '^hwnd=' 120)
  check "$key: splash shown" test -n "$splash"
  xdotool key "$key"
  check "$key: splash ended" test -n "$(splash_watched '^ended' 20)"
  h=$(printf '%08x' "$(line_field hwnd "$splash")")
  expect_eq "$key: the splash ended by the key, with result $result" \
    "$(traced "$log" user32.EndDialog | grep "^$h," | head -n 1 | cut -d' ' -f1)" \
    "$h,$(printf '%08x' "$result")"
  check "$key: unloaded" stop_tessaly
done
e2e_end
