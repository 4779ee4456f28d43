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
#                                   returns; its exit code (124: no answer
#                                   within 90 seconds)
#   probe_once ARGS                 the same, from a process of its own
#   wait_until SECONDS COND...      polls COND every half second for SECONDS;
#                                   false on timeout
#   watch_splash [SECONDS [KEY]]    starts one probe that watches for the
#                                   splash of the next start (call it first);
#                                   with KEY (a virtual-key code) it presses
#                                   that key on the splash
#   splash_watched PATTERN SECONDS  the watcher's first line matching PATTERN
#                                   ("^hwnd=": the splash's window line,
#                                   "^ended", "^timeout")
#   splash_colours                  the most colours the splash showed, once
#                                   the watcher has seen it end
#   splash_drawn SECONDS            until the splash shows 8 colours or more
#
# The program's resource ids and private messages by their names in the code
# (ID_TRAY_SHOW, IDC_DISABLE, ... from res/resource.h; kMsgTrayCallback, ...
# from base/messages.h), the names and types of the persisted settings
# (TESSALY_SETTINGS) and the defaults of the numbers among them
# (TESSALY_SETTING_DEFAULTS), the check boxes that each hold one of them
# (TESSALY_FLAG_BOXES), the main window's title (MAIN_TITLE), and the
# platform's messages the scripts send.
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
MAIN_TITLE="Vantor Tessaly"
# The flag boxes (the rows of ui/flag_boxes.h), one "SETTING ID" a line: the
# name of the persisted setting each box holds, and the box's resource id.
TESSALY_FLAG_BOXES=$(
  sed -nE 's/^ *\{(IDC_[A-Z_]+), &TessalySettings::([A-Za-z]+)\},.*/\1 \2/p' \
    "$TESSALY_SOURCE/ui/flag_boxes.h" |
    while read -r id member; do
      sed -nE "s/^ *\\{\"([A-Za-z]+)\", &TessalySettings::$member[,}].*/\\1 ${!id}/p" \
        "$TESSALY_SOURCE/base/settings_table.h"
    done)
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
WM_NULL=0 WM_CLOSE=16 WM_CANCELMODE=31 WM_COMMAND=273 WM_MOUSEMOVE=512 WM_LBUTTONDOWN=513
WM_LBUTTONUP=514 WM_LBUTTONDBLCLK=515 WM_RBUTTONDOWN=516 WM_RBUTTONUP=517 WM_RBUTTONDBLCLK=518
WM_MBUTTONDOWN=519 WM_MBUTTONUP=520 WM_MBUTTONDBLCLK=521 IDOK=1 IDCANCEL=2

# One TessalyProbe process ("serve") answers a script's probe calls: under an
# emulator each Wine process start costs a second or more. It is found through
# files in the prefix, so that a call from a subshell ($(probe ...)) uses the
# one an earlier call started, and started again once it has ended (with the
# prefix's processes). Calls are taken one at a time; one that must wait
# while the script goes on uses probe_once, a process of its own. Each request
# carries a tag that the answer's end line repeats: an answer that an earlier
# caller gave up on is read and dropped. The answer is printed once whole, so
# a reader that stops early (| head) does not leave part of it behind.
probe() {
  (
    flock 8
    dir=$WINEPREFIX/probe-server end=$((SECONDS + 90)) tag=$BASHPID.$RANDOM
    line='' part='' answer=''
    pid=$(cat "$dir/pid" 2>/dev/null)
    if ! winebed_alive "$pid"; then
      probe_server_start "$dir" || exit 1
      pid=$(cat "$dir/pid")
    fi
    exec 3<>"$dir/in" 4<>"$dir/out"
    (IFS=$'\t'; printf '%s\n' "$tag	$*") >&3
    while :; do
      # A read cut off by its time limit keeps the part of a line it got.
      if IFS= read -r -t 1 part <&4; then
        line=${line}${part%$'\r'}
        case $line in
          $'\x1e'"$tag "*)
            printf '%s' "$answer"
            exit "${line##* }" ;;
          $'\x1e'*) answer='' ;;
          *) answer+=$line$'\n' ;;
        esac
        line=''
      else
        line=${line}${part}
        if ! winebed_alive "$pid" || [ "$SECONDS" -ge "$end" ]; then
          kill "$pid" 2>/dev/null
          rm -f "$dir/pid"
          exit 124
        fi
      fi
    done
  ) 8>>"$WINEPREFIX/probe-server.lock"
}

probe_server_start() {
  rm -rf "$1" && mkdir -p "$1" && mkfifo "$1/in" "$1/out" || return 1
  timeout 3600 wine "$TESSALY_TESTS/TessalyProbe.exe" serve 0<>"$1/in" 1<>"$1/out" 2>/dev/null 8>&- &
  echo $! >"$1/pid"
}

probe_once() {
  timeout 60 wine "$TESSALY_TESTS/TessalyProbe.exe" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# Counts seconds, not attempts: one attempt may itself take seconds (a Wine
# process start under an emulator). One last attempt follows the deadline.
wait_until() {
  local end=$((SECONDS + $1))
  shift
  while [ "$SECONDS" -lt "$end" ]; do
    "$@" && return 0
    sleep 0.5
  done
  "$@"
}

# The splash lives three seconds, less than a few Wine process starts take
# under an emulator: one probe, started before the program, watches it from
# its first moment to its end, and the checks read what it printed.
watch_splash() {
  SPLASH_WATCH_OUT=$(mktemp "$WINEPREFIX/splash-watch.XXXXXX")
  timeout 300 wine "$TESSALY_TESTS/TessalyProbe.exe" watch-splash "$MAIN_TITLE" "${1:-120}" \
    ${2:+"$2"} >"$SPLASH_WATCH_OUT" 2>/dev/null &
  SPLASH_WATCH_PID=$!
  wait_until 60 watched_line '^watching' >/dev/null
}

watched_line() {
  tr -d '\r' <"$SPLASH_WATCH_OUT" | grep -m 1 -E "$1"
}

splash_watched() {
  wait_until "$2" watched_line "$1|^timeout" >/dev/null
  watched_line "$1"
}

splash_colours() {
  tr -d '\r' <"$SPLASH_WATCH_OUT" | sed -n 's/^colours=//p' | tail -n 1
}

splash_drawn() {
  wait_until "$1" watched_line '^colours=([89]|[1-9][0-9]+)$' >/dev/null
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
  winebed_reg_set 'HKLM\Software\Brenmoor Software Corp\Vantor\Settings' \
    Directory REG_SZ "$TESSALY_INSTALL_DIR"
  printf '[Directories]\r\nMain=%s\r\n' "$TESSALY_INSTALL_DIR" \
    >"$WINEPREFIX/drive_c/windows/Vantor.ini"
  TESSALY_DIR=$dir
}

tessaly_start() {
  (cd "$TESSALY_DIR" && exec timeout "${TESSALY_TIMEOUT:-600}" wine Tessaly.exe "$@") \
    >"${TESSALY_LOG:-/dev/null}" 2>&1 &
  TESSALY_PID=$!
}
