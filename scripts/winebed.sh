# Wine test bed: source this file, then call winebed_start.
#
#   winebed_start           fresh 32-bit prefix reporting Windows 95, with
#                           Wine's own fonts, in
#                           $WINEPREFIX, and a display in $DISPLAY (a private
#                           Xvfb when none is set or WINEBED_OWN_DISPLAY=1);
#                           everything is torn down on exit.
#   winebed_wine ARGS       wine with a time limit (WINEBED_TIMEOUT, seconds).
#   winebed_version VER     set the reported Windows version (win95, winxp, ...).
#   winebed_virtual_desktop [WxH]  run the prefix's windows in a Wine desktop.
#   winebed_winpath PATH    the Z: form of a Unix path.
#   winebed_end_processes   end every process of this prefix and wait for them
#   winebed_cleanup         end this prefix's processes, stop our Xvfb, delete
#                           the prefix (kept when WINEBED_KEEP=1).
#
# Settings: WINEBED_SCREEN (default 1024x768x24), WINEBED_CACHE (template
# prefix cache, default /tmp/tessaly-winebed-UID), WINEBED_PREFIX (use this
# folder as the prefix, made from the template when empty, and never deleted).

export WINEARCH=win32
# Quiet, but for Wine's own errors: a program whose windows cannot be made
# then says why (no display driver, and the reason Wine has for it).
export WINEDEBUG=${WINEDEBUG:--all,err+all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

WINEBED_CACHE=${WINEBED_CACHE:-/tmp/tessaly-winebed-$(id -u)}
WINEBED_OWNS_PREFIX=0
WINEBED_XVFB_PID=

winebed_log() { echo "winebed: $*" >&2; }

# The template prefix is booted once per Wine version and copied for each
# test; booting takes about ten seconds, a copy well under one.
winebed_template() {
  local ver tpl
  ver=$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' '_')
  tpl=$WINEBED_CACHE/template-$ver
  mkdir -p "$WINEBED_CACHE"
  (
    flock 9
    if [ ! -f "$tpl/.ready" ]; then
      winebed_log "booting template prefix $tpl"
      rm -rf "$tpl" "$tpl.tmp"
      mkdir -p "$tpl.tmp"
      local failed=0 reported=win95
      WINEPREFIX=$tpl.tmp DISPLAY= timeout 300 wineboot -i >/dev/null 2>&1 || failed=1
      WINEPREFIX=$tpl.tmp timeout 120 wineserver -w || true
      # A boot cut off by its time limit still leaves a registry behind; only
      # a boot that ended by itself, with the reported version stored, makes
      # the template every test copies.
      if [ "$failed" = 0 ]; then
        WINEPREFIX=$tpl.tmp DISPLAY= winebed_version "$reported" || failed=1
        WINEPREFIX=$tpl.tmp timeout 60 wineserver -w || true
      fi
      if [ "$failed" = 1 ] || [ ! -f "$tpl.tmp/system.reg" ] ||
         ! grep -qx "\"Version\"=\"$reported\"" "$tpl.tmp/user.reg" 2>/dev/null; then
        winebed_log "wineboot failed"; exit 1
      fi
      mv "$tpl.tmp" "$tpl"
      touch "$tpl/.ready"
    fi
  ) 9>"$WINEBED_CACHE/lock" || return 1
  WINEBED_TEMPLATE=$tpl
}

# The server picks a free display number itself (-displayfd) and writes it
# when it is ready for clients: two tests starting at once never share one
# server, which the first to end would stop under the other.
winebed_display() {
  local screen=${WINEBED_SCREEN:-1024x768x24} ready line n='' i
  ready=$(mktemp /tmp/tessaly-xvfb.XXXXXX) || return 1
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  WINEBED_XVFB_PID=$!
  # A loaded machine can take seconds to start the server.
  for i in $(seq 1 300); do
    if read -r line <"$ready"; then
      n=$line
      break
    fi
    kill -0 "$WINEBED_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$ready"
  if [ -n "$n" ] && kill -0 "$WINEBED_XVFB_PID" 2>/dev/null; then
    export DISPLAY=":$n"
    return 0
  fi
  kill "$WINEBED_XVFB_PID" 2>/dev/null
  wait "$WINEBED_XVFB_PID" 2>/dev/null
  WINEBED_XVFB_PID=
  winebed_log "no X display"
  return 1
}

winebed_prefix() {
  winebed_template || return 1
  if [ -n "${WINEBED_PREFIX:-}" ]; then
    export WINEPREFIX=$WINEBED_PREFIX
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      mkdir -p "$WINEPREFIX"
      cp -a "$WINEBED_TEMPLATE/." "$WINEPREFIX/"
    fi
  else
    WINEPREFIX=$(mktemp -d /tmp/tessaly-wine.XXXXXX)
    export WINEPREFIX
    WINEBED_OWNS_PREFIX=1
    cp -a "$WINEBED_TEMPLATE/." "$WINEPREFIX/"
  fi
  rm -f "$WINEPREFIX/.ready"
  winebed_fonts
}

# Wine's own fonts (package fonts-wine): "MS Sans Serif" for dialogs and
# Marlett for the caption buttons. This Wine looks for them in its data
# folder under a path it cannot resolve, so they are linked into the
# prefix's Fonts folder, which it does read.
winebed_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts font
  [ -d /usr/share/wine/fonts ] || return 0
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*; do
    [ -e "$fonts/${font##*/}" ] || ln -s "$font" "$fonts/${font##*/}"
  done
}

winebed_start() {
  winebed_prefix || return 1
  if [ -z "${DISPLAY:-}" ] || [ "${WINEBED_OWN_DISPLAY:-0}" = 1 ]; then
    winebed_display || return 1
  fi
  [ "${WINEBED_NO_TRAP:-0}" = 1 ] || trap winebed_cleanup EXIT
}

winebed_wine() {
  timeout "${WINEBED_TIMEOUT:-300}" wine "$@"
}

winebed_version() {
  winebed_reg_set 'HKCU\Software\Wine' Version REG_SZ "$1"
}

# Runs every Wine process of the prefix inside one virtual desktop of the
# display's size: windows are then managed by Wine itself (minimising and
# restoring take effect at once, with no X window manager in between) and
# the desktop has a taskbar with the notification area. The desktop is made
# when the prefix's first process starts, so this is set before any runs.
winebed_virtual_desktop() {
  local size=${1:-1024x768}
  winebed_reg_set 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default
  winebed_reg_set 'HKCU\Software\Wine\Explorer\Desktops' Default REG_SZ "$size"
  winebed_reg_set 'HKCU\Software\Wine\Explorer\Desktops' EnableShell REG_DWORD 1
}

# winebed_reg_set KEY NAME REG_SZ|REG_DWORD DATA: stores a value by writing
# the prefix's registry file itself (KEY under HKCU or HKLM), with no Wine
# process: under an emulator each process start that boots the prefix's
# services costs seconds. The prefix's processes end first, since the
# server writes its own copy of the registry back when it ends. A key
# written again later in the file is merged into the same key when the
# server loads it, and its value replaces the earlier one.
winebed_reg_set() {
  local key=$1 name=$2 type=$3 data=$4 file
  case $key in
    HKCU\\*) file=user.reg ;;
    HKLM\\*) file=system.reg ;;
    *) winebed_log "winebed_reg_set: $key is not under HKCU or HKLM"; return 1 ;;
  esac
  case $type in
    REG_SZ) data=${data//\\/\\\\}; data="\"${data//\"/\\\"}\"" ;;
    REG_DWORD) data=$(printf 'dword:%08x' "$data") || return 1 ;;
    *) winebed_log "winebed_reg_set: type $type"; return 1 ;;
  esac
  key=${key#*\\}
  winebed_end_processes
  printf '\n[%s] 0\n"%s"=%s\n' "${key//\\/\\\\}" "$name" "$data" >>"$WINEPREFIX/$file"
}

winebed_end_processes() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
}

winebed_winpath() {
  local p
  p=$(readlink -f "$1")
  printf 'Z:%s' "${p//\//\\}"
}

winebed_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then
    winebed_end_processes
    if [ "$WINEBED_OWNS_PREFIX" = 1 ] && [ "${WINEBED_KEEP:-0}" != 1 ]; then
      rm -rf "$WINEPREFIX"
    fi
  fi
  if [ -n "$WINEBED_XVFB_PID" ]; then
    kill "$WINEBED_XVFB_PID" 2>/dev/null || true
    wait "$WINEBED_XVFB_PID" 2>/dev/null || true
    WINEBED_XVFB_PID=
  fi
}
