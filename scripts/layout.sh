# Lays out an installed copy of Tessaly in the current Wine prefix; source it
# after winebed.sh (needs $WINEPREFIX).
#
#   tessaly_layout BIN_DIR [INSTALL_DIR]
#       C:\Vantor (or INSTALL_DIR, a C: path) gets Tessaly.exe, Pellix.dll, the
#       companion DLLs and the Vantor.Exe stand-in, and the folders Help,
#       Recovery and Tests; the machine-wide install key's "Directory" names
#       it, and "Vantor.ini" in the Windows folder names it as "Main".
#   tessaly_unix_path 'C:\path'     the Unix path of a C: path in the prefix
#   tessaly_start [ARGS]            starts Tessaly.exe in the background from
#                                   the install folder; its pid in TESSALY_PID
#   probe ARGS                      the test driver TessalyProbe.exe (in
#                                   $TESSALY_TESTS), output without carriage
#                                   returns; its exit code
#
# The program's resource ids and private messages by their names in the code
# (ID_TRAY_SHOW, IDC_DISABLE, ... from res/resource.h; kMsgTrayCallback, ...
# from base/messages.h), the names and types of the persisted settings
# (TESSALY_SETTINGS) and the defaults of the numbers among them
# (TESSALY_SETTING_DEFAULTS), and the platform's messages the scripts send.
TESSALY_SOURCE=${TESSALY_SOURCE:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
eval "$(sed -nE 's/^#define (ID[A-Z0-9_]+) +\(?(-?[0-9]+)\)?.*/\1=\2/p' "$TESSALY_SOURCE/res/resource.h")"
eval "$(sed -nE 's/^ *(kMsg[A-Za-z]+) = ([0-9]+),.*/\1=\2/p' "$TESSALY_SOURCE/base/messages.h")"
# The persisted settings in the order they are saved (the rows of
# base/settings_table.h), one "NAME TYPE" a line: REG_DWORD for the numbers,
# REG_SZ for the folders.
TESSALY_SETTINGS=$(sed -nE \
  -e 's/^ *\{"([A-Za-z]+)", &TessalySettings::[A-Za-z]+, [A-Za-z0-9]+\},.*/\1 REG_DWORD/p' \
  -e 's/^ *\{"([A-Za-z]+)", &TessalySettings::[A-Za-z]+\},.*/\1 REG_SZ/p' \
  "$TESSALY_SOURCE/base/settings_table.h")
# One "NAME DEFAULT" a line, for the numbers; a default given by name (such
# as kDefaultIdleIndex) is read from the same header.
eval "$(sed -nE 's/^inline constexpr int32_t (k[A-Za-z]+) = (-?[0-9]+);.*/\1=\2/p' \
  "$TESSALY_SOURCE/base/settings_table.h")"
TESSALY_SETTING_DEFAULTS=$(
  sed -nE 's/^ *\{"([A-Za-z]+)", &TessalySettings::[A-Za-z]+, ([A-Za-z0-9]+)\},.*/\1 \2/p' \
    "$TESSALY_SOURCE/base/settings_table.h" |
    while read -r name def; do
      case $def in k*) def=${!def} ;; esac
      echo "$name $def"
    done)
WM_CLOSE=16 WM_CANCELMODE=31 WM_COMMAND=273 WM_MOUSEMOVE=512 WM_LBUTTONDOWN=513
WM_LBUTTONUP=514 WM_LBUTTONDBLCLK=515 WM_RBUTTONDOWN=516 WM_RBUTTONUP=517 WM_RBUTTONDBLCLK=518
WM_MBUTTONDOWN=519 WM_MBUTTONUP=520 WM_MBUTTONDBLCLK=521 IDOK=1 IDCANCEL=2

probe() {
  timeout 60 wine "$TESSALY_TESTS/TessalyProbe.exe" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

TESSALY_INSTALL_DIR='C:\Vantor'

tessaly_unix_path() {
  local p=${1#[Cc]:}
  p=${p//\\//}
  printf '%s/drive_c%s' "$WINEPREFIX" "$p"
}

tessaly_layout() {
  local bin=$1
  TESSALY_INSTALL_DIR=${2:-'C:\Vantor'}
  local dir
  dir=$(tessaly_unix_path "$TESSALY_INSTALL_DIR")
  mkdir -p "$dir/Help" "$dir/Recovery" "$dir/Tests"
  local f
  for f in Tessaly.exe Pellix.dll VarnTools.dll VarnTests.dll Quillet.dll Vantor.Exe; do
    [ -f "$bin/$f" ] && cp "$bin/$f" "$dir/"
  done
  timeout 60 wine reg add 'HKLM\Software\Brenmoor Software Corp\Vantor\Settings' \
    /v Directory /d "$TESSALY_INSTALL_DIR" /f >/dev/null 2>&1
  printf '[Directories]\r\nMain=%s\r\n' "$TESSALY_INSTALL_DIR" \
    >"$WINEPREFIX/drive_c/windows/Vantor.ini"
  TESSALY_DIR=$dir
}

tessaly_start() {
  (cd "$TESSALY_DIR" && exec timeout "${TESSALY_TIMEOUT:-600}" wine Tessaly.exe "$@") \
    >"${TESSALY_LOG:-/dev/null}" 2>&1 &
  TESSALY_PID=$!
}
