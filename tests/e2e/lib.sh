# Shared set-up of the end-to-end scripts: source it first.
#
#   e2e_begin [SCREEN]   fresh Windows-95 prefix on a private display
#                        (SCREEN e.g. 1024x768x8), Tessaly laid out in
#                        C:\Vantor (scripts/layout.sh)
#   probe ARGS           TessalyProbe.exe, output without carriage returns
#   reg_value KEY NAME   a registry value as "TYPE DATA", or empty
#   check NAME COND...   runs COND; records a pass or a failure
#   expect_eq NAME GOT WANT
#   e2e_end              prints "N passed, N failed" and exits with the result
#
# The program's window title and registry keys.
set -u
. "$TESSALY_SOURCE/scripts/winebed.sh"
. "$TESSALY_SOURCE/scripts/layout.sh"

MAIN_TITLE="Vantor Tessaly"
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

probe() {
  timeout 60 wine "$TESSALY_TESTS/TessalyProbe.exe" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

reg_value() {
  timeout 60 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v n="$2" 'tolower($1) == tolower(n) { $1 = ""; sub(/^ +/, ""); print; exit }'
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

# Starts Tessaly and waits for its main window; false when it never came.
start_tessaly() {
  TESSALY_LOG=${TESSALY_LOG:-$WINEPREFIX/tessaly.log} tessaly_start "$@"
  probe wait-window "$MAIN_TITLE" 60 >/dev/null
}

# Asks the running program to unload and waits for its process to end.
stop_tessaly() {
  probe post "$MAIN_TITLE" 273 32778 0 >/dev/null 2>&1  # WM_COMMAND "&Unload Vantor Tessaly"
  local i
  for i in $(seq 1 100); do
    kill -0 "$TESSALY_PID" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

e2e_end() {
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
  exit $?
}
