#!/usr/bin/env bash
# 1,000 tray callbacks and harmless commands posted in one burst (double
# clicks, right-button ups each followed by WM_CANCELMODE, which the menu's
# loop dispatches next and which closes the menu, ignored mouse messages and
# icon ids, "&Show Tessaly" and "Minimize"): the program stays alive and
# answering, keeps one main window and its tray icon, leaves no menu open,
# changes no setting, runs nothing, and has as many windows and GDI objects
# as before.
#
# GetGuiResources answers 0 under Wine; the GDI objects are counted by
# LoadProbe census in the process's GDI handle table instead.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
census() { timeout 60 wine "$TESSALY_TESTS/LoadProbe.exe" census "$MAIN_TITLE" 2>/dev/null | tr -d '\r'; }
settings() { timeout 60 wine reg query "$SETTINGS_KEY" 2>/dev/null | tr -d '\r'; }
e2e_begin

tray=$kMsgTrayCallback
ROUND=$tray:$IDR_TRAY:$WM_LBUTTONDBLCLK,$WM_COMMAND:$IDOK:0,$tray:$IDR_TRAY:$WM_RBUTTONUP
ROUND+=,$WM_CANCELMODE:0:0,$tray:$IDR_TRAY:$WM_MOUSEMOVE,$tray:$((IDR_TRAY + 1)):$WM_RBUTTONUP
ROUND+=,$tray:$IDR_TRAY:$WM_LBUTTONDOWN,$tray:0:$WM_LBUTTONDBLCLK,$WM_COMMAND:$ID_TRAY_SHOW:0
ROUND+=,$WM_COMMAND:$IDOK:0

# The menus that the burst opens run loops of their own, which take the
# messages behind them: the marker below can be taken before the burst's
# last messages. The program has settled when no menu has been open for two
# seconds.
settled() {
  local i quiet=0
  for i in $(seq 1 120); do
    if [ -z "$(probe windows '#32768' | grep " pid=$pid " | grep ' visible=1 ')" ]; then
      quiet=$((quiet + 1))
      [ "$quiet" -ge 4 ] && return 0
    else
      quiet=0
    fi
    sleep 0.5
  done
  return 1
}

# The windows that census counts, one a line with class, parent, owner and
# visibility. Printed when the count differs, to name the window that is
# left over.
window_list() {
  timeout 60 wine "$TESSALY_TESTS/LoadProbe.exe" census-windows "$MAIN_TITLE" 2>/dev/null |
    tr -d '\r'
}

# burst ROUNDS: posts the rounds, then "&Show Tessaly" as a marker; waits for
# the marker and for the program to settle, and hides the window again.
burst() {
  local sent
  sent=$(probe burst "$MAIN_TITLE" "$1" "$ROUND")
  probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_SHOW 0 >/dev/null
  wait_shown 1 90 && settled || return 1
  probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null
  wait_shown 0 15 || return 1
  echo "$sent"
}

check "starts with -nosplash" start_tessaly -nosplash
hwnd=$(line_field hwnd "$(main_line)")
pid=$(line_field pid "$(main_line)")
check "hidden at start" wait_shown 0 30
settle_startup
probe check "$MAIN_TITLE" $IDC_MAX_ONCE 0 >/dev/null  # so that the key holds values
settings_before=$(settings)

# What is made once and kept (the shown window's paint, the menu's resources,
# Wine's caches) is made by a first, small burst.
expect_eq "warm-up burst of 100 taken" "$(burst 10)" 100
before=$(census)
windows_before=$(window_list)
echo "before: $before; probe gui-resources: $(probe gui-resources "$MAIN_TITLE")"
expect_eq "burst of 1000 taken, settled with no menu open" "$(burst 100)" 1000
# A closed menu's window is hidden at once and destroyed a moment later, and
# on a loaded machine the burst's last posted messages can still open and
# close a menu after the program looked settled: give the count time to come
# back (a window leaked by the burst stays). The wait counts seconds; each
# census is a Wine process start of its own.
windows_back() { [ "$(line_field windows "$(census)")" = "$(line_field windows "$before")" ]; }
wait_until 60 windows_back
after=$(census)
echo "after: $after; probe gui-resources: $(probe gui-resources "$MAIN_TITLE")"
if [ "$(line_field windows "$after")" != "$(line_field windows "$before")" ]; then
  echo "windows before the burst:"
  echo "$windows_before"
  echo "windows after it:"
  window_list
fi

check "process alive" kill -0 "$TESSALY_PID"
check "window answers a sent message" quiet probe send "$MAIN_TITLE" 0 0 0
expect_eq "the same one main window" "$(line_field hwnd "$(main_line)")" "$hwnd"
expect_eq "tray icon still held" "$(probe tray-icon "hwnd:$hwnd" $IDR_TRAY)" present
expect_eq "no setting changed" "$(settings)" "$settings_before"
check "nothing ran: no run log" test ! -e "$WINEPREFIX/drive_c/windows/Tessaly.ini"
# A leak in a handler would add a window per message of its kind, that is 100
# or more. Under an emulator the count was seen one higher, by a window that
# the census-windows listing a moment later no longer showed: Wine's own, made
# while the program was still working through the burst.
count_before=$(line_field windows "$before") count_after=$(line_field windows "$after")
check "windows as many as before, within 2 ($count_before -> $count_after)" \
  test "$count_after" -le $((count_before + 2)) -a "$count_after" -ge "$count_before"
gdi_before=$(line_field gdi "$before") gdi_after=$(line_field gdi "$after")
check "GDI objects counted" test "$gdi_before" != unknown -a -n "$gdi_after"
# A leak in a handler would add one object per message of its kind, that
# is 100 or more; Wine itself makes a few objects lazily now and then.
check "GDI objects as many as before, within 8 ($gdi_before -> $gdi_after)" \
  test "$gdi_after" -le $((gdi_before + 8)) -a "$gdi_after" -ge $((gdi_before - 8))
check "unload ends the process" stop_tessaly
e2e_end
