# Shared set-up of the end-to-end scripts: source it first.
#
#   e2e_begin [SCREEN]   fresh Windows-95 prefix on a private display
#                        (SCREEN e.g. 1024x768x8), Tessaly laid out in
#                        C:\Vantor (scripts/layout.sh)
#   probe ARGS           TessalyProbe.exe, output without carriage returns
#                        (scripts/layout.sh, with the resource ids and message
#                        numbers by name)
#   reg_value KEY NAME   a registry value as "TYPE DATA", or empty
#   check NAME COND...   runs COND; records a pass or a failure
#   expect_eq NAME GOT WANT
#   e2e_end              prints "N passed, N failed" and exits with the result
#   wait_until SECONDS COND...   (scripts/layout.sh)
#   output_is WANT CMD...        true when CMD prints exactly WANT (a COND)
#   process_gone PID             true when the process has ended (a COND)
#   prints_line CMD...           true when CMD prints a line, kept in
#                                PRINTED_LINE (a COND)
#   install_probe ARGS   TessalyProbe.exe run from the install folder, so that
#                        it maps the same Pellix.dll (and shared word) as Tessaly
#   set_idle_seconds N   makes the last input look N seconds old, again until
#                        it holds (window changes can stamp a late input)
#   start_vantor         starts the Vantor.Exe stand-in of the install folder
#   screen_rgb X Y       "R G B" of a screen point, from a screenshot of the
#                        X root window (the Wine desktop sits at its origin)
#   colour_name R G B    red, green, cyan or other
#   lamp_colour [DX DY]  colour_name of the status light on the screen: the
#                        point DX, DY (default 8, 8: the lamp's middle) from
#                        the top-left corner of control IDC_LIGHT
#   setting_number NAME  a REG_DWORD under the settings key in decimal, or empty
#   run_log SECTION      the "key=value" lines of a section of "Tessaly.ini"
#   date_text SECONDS    the program's date-and-time text of a time with the
#                        regional settings of a fresh prefix: 03/05/1998 09:07AM
#
# The program's window title and registry keys.
set -u
. "$TESSALY_SOURCE/scripts/winebed.sh"
. "$TESSALY_SOURCE/scripts/layout.sh"

SETTINGS_KEY='HKCU\Software\Brenmoor Software Corp\Tessaly'
E2E_PASSED=0
E2E_FAILED=0

e2e_begin() {
  [ -n "${1:-}" ] && export WINEBED_SCREEN=$1
  export WINEBED_OWN_DISPLAY=1
  winebed_start || { echo "FAIL: no Wine test bed"; exit 1; }
  local screen=${WINEBED_SCREEN:-1024x768x24}
  winebed_virtual_desktop "${screen%x*}"
  WINEPATH=$(winebed_winpath "$TESSALY_BIN")
  export WINEPATH
  tessaly_layout "$TESSALY_BIN"
}

reg_value() {
  probe reg-value "$1" "$2"
}

check() {
  local name=$1
  shift
  if "$@"; then
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "ok: $name"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL: $name"
  fi
}

expect_eq() {
  if [ "$2" = "$3" ]; then
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "ok: $1"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL: $1: got [$2], want [$3]"
  fi
}

# Starts Tessaly and waits for its main window, and then for the window to
# answer a sent message: the window can be found before its set-up (the
# dialog's initialisation) has run. False when either never came.
start_tessaly() {
  TESSALY_LOG=${TESSALY_LOG:-$WINEPREFIX/tessaly.log} tessaly_start "$@"
  probe wait-window "$MAIN_TITLE" 60 >/dev/null &&
    probe send "$MAIN_TITLE" $WM_NULL 0 0 >/dev/null
}

# Asks the running program to unload and waits for its process to end.
stop_tessaly() {
  probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_UNLOAD 0 >/dev/null 2>&1
  wait_until 20 process_gone "$TESSALY_PID"
}

output_is() {
  local want=$1
  shift
  [ "$("$@")" = "$want" ]
}

process_gone() {
  ! kill -0 "$1" 2>/dev/null
}

# prints_line CMD...: true when CMD prints a line; the line is kept in
# PRINTED_LINE (a COND for wait_until, which runs it in this shell).
prints_line() {
  PRINTED_LINE=$("$@" | head -n 1)
  [ -n "$PRINTED_LINE" ]
}

install_probe() {
  (cd "$TESSALY_DIR" && probe_once "$@")
}

idle_set_to() {
  install_probe set-idle "$1" >/dev/null || return 1
  sleep 1
  [ "$(install_probe idle)" -ge "$1" ]
}

set_idle_seconds() {
  wait_until 5 idle_set_to "$1"
}

start_vantor() {
  (cd "$TESSALY_DIR" && exec timeout "${TESSALY_TIMEOUT:-600}" wine Vantor.Exe "$@") \
    >/dev/null 2>&1 &
  VANTOR_PID=$!
  probe wait-window Vantor 60 >/dev/null
}

screen_rgb() {
  local shot=$WINEPREFIX/screen.png
  import -display "$DISPLAY" -window root "$shot" 2>/dev/null &&
    convert "$shot" -format '%[fx:int(255*p{'"$1,$2"'}.r+0.5)] %[fx:int(255*p{'"$1,$2"'}.g+0.5)] %[fx:int(255*p{'"$1,$2"'}.b+0.5)]\n' info:
}

colour_name() {
  local r=$1 g=$2 b=$3
  if [ "$r" -ge 150 ] && [ "$g" -le 110 ] && [ "$b" -le 110 ]; then
    echo red
  elif [ "$g" -ge 140 ] && [ "$r" -le 110 ] && [ "$b" -le 110 ]; then
    echo green
  elif [ "$r" -le 60 ] && [ "$g" -ge 200 ] && [ "$b" -ge 200 ]; then
    echo cyan
  else
    echo other
  fi
}

lamp_colour() {
  local light x y
  light=$(probe control "$MAIN_TITLE" $IDC_LIGHT) || return 1
  x=$(sed -nE 's/.* x=(-?[0-9]+).*/\1/p' <<<"$light")
  y=$(sed -nE 's/.* y=(-?[0-9]+).*/\1/p' <<<"$light")
  # shellcheck disable=SC2046
  colour_name $(screen_rgb $((x + ${1:-8})) $((y + ${2:-8})))
}

setting_number() {
  local value
  value=$(reg_value "$SETTINGS_KEY" "$1")
  [[ $value == "REG_DWORD 0x"* ]] && echo $((${value#REG_DWORD }))
}

run_log() {
  tr -d '\r' 2>/dev/null <"$WINEPREFIX/drive_c/windows/Tessaly.ini" |
    awk -v s="[$1]" '/^\[/ { on = ($0 == s); next } on && /=/'
}

date_text() {
  LC_ALL=C date -d "@$1" '+%m/%d/%Y %I:%M%p'
}

e2e_end() {
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  # What Wine said about the program, for a failure's reader.
  local log=${TESSALY_LOG:-${WINEPREFIX:-}/tessaly.log}
  if [ "$E2E_FAILED" -ne 0 ] && [ -s "$log" ]; then
    echo "--- last lines of Tessaly's output ($log):"
    tail -n 30 "$log" | tr -d '\r'
  fi
  [ "$E2E_FAILED" -eq 0 ]
  exit $?
}
