#!/usr/bin/env bash
# A second start while Tessaly runs brings the running instance's main window
# forward, shown normally, and ends without a window, a hook, a tray icon or a
# registry or file change of its own.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop_e2e_common.sh"
e2e_begin
trace_calls "user32.SetWindowsHookExA;shell32.Shell_NotifyIconA;user32.FindWindowA;user32.ShowWindow;user32.BringWindowToTop;user32.SetForegroundWindow;user32.CreateWindowExA;user32.CreateDialogIndirectParamA;user32.CreateDialogParamA;user32.DialogBoxIndirectParamA;user32.DialogBoxParamA;user32.MessageBoxA"

# What a start may change: the per-user key, the install folder, the log.
footprint() {
  timeout 60 wine reg query 'HKCU\Software\Brenmoor Software Corp' /s 2>/dev/null | tr -d '\r'
  (cd "$TESSALY_DIR" && find . -printf '%p %s %T@\n' | sort)
  ls -l --time-style=+%s "$WINEPREFIX/drive_c/windows/Tessaly.ini" 2>/dev/null
}

check "first instance starts" start_tessaly -nosplash
first_pid=$TESSALY_PID
main=$(main_line)
hwnd=$(line_field hwnd "$main")
check "first instance hidden" wait_shown 0 30
settle_startup  # a window shown during the start-up ticks is hidden again
# A change made through the window, so that the key exists and has values.
probe check "$MAIN_TITLE" $IDC_MAX_ONCE 0 >/dev/null
before=$(footprint)

second_log=$WINEPREFIX/second.log
(cd "$TESSALY_DIR" && WINEDEBUG=+relay exec timeout 120 wine Tessaly.exe -display) \
  >"$second_log" 2>&1 &
second_pid=$!
check "second start ends by itself" wait_ended "$second_pid" 60
check "first instance's window shown" wait_shown 1 15
state=$(probe window "$MAIN_TITLE")
expect_eq "shown normally, not minimised" "$(line_field iconic "$state")" 0
expect_eq "still one main window, the first one" "$(line_field hwnd "$(main_line)")" "$hwnd"
check "first instance alive" kill -0 "$first_pid"
check "first instance answers" quiet probe send "$MAIN_TITLE" 0 0 0
expect_eq "first instance keeps its tray icon" "$(probe tray-icon "hwnd:$hwnd" $IDR_TRAY)" present

# Every traced window call of the second start, in order: it finds the
# running instance's window and brings it forward, and creates nothing.
h=$(printf '%08x' "$hwnd")
expect_eq "second start: only finds and brings forward the first window" \
  "$(traced_calls "$second_log" | tr '\n' ' ')" \
  "FindWindowA(00000000,\"$MAIN_TITLE\") -> $h ShowWindow($h,00000001) BringWindowToTop($h) SetForegroundWindow($h) "
expect_eq "registry, install folder and log unchanged" "$(footprint)" "$before"

probe post "$MAIN_TITLE" $WM_COMMAND $IDOK 0 >/dev/null  # "Minimize"
check "hidden again" wait_shown 0 15
check "unload ends the first instance" stop_tessaly
e2e_end
