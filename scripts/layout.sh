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
