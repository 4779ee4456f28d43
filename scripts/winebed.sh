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
#   winebed_session_take ROOT   hold a kept session under ROOT (below)
#   winebed_session_end     end the held session's processes and prefix
#   winebed_sessions_end ROOT   end every kept session under ROOT
#   winebed_alive PID       the process runs (a zombie does not)
#
# Settings: WINEBED_SCREEN (default 1024x768x24), WINEBED_CACHE (template
# prefix cache, default /tmp/tessaly-winebed-UID), WINEBED_PREFIX (use this
# folder as the prefix, made from the template when empty, and never deleted),
# WINEBED_SESSIONS (kept sessions under one root, default 4),
# WINEBED_SESSION_IDLE (seconds unused after which a kept session ends,
# default 60).

export WINEARCH=win32
# Quiet, but for Wine's own errors: a program whose windows cannot be made
# then says why (no display driver, and the reason Wine has for it).
export WINEDEBUG=${WINEDEBUG:--all,err+all}
# No .NET, no HTML engine, and no menu builder: each session's desktop
# process starts it to write Linux menu entries, which no test reads, at a
# cost in processor time under an emulator close to the desktop's own.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

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
      WINEPREFIX=$tpl.tmp winebed_fonts
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
      winebed_copy_template "$WINEPREFIX" || return 1
    fi
  else
    WINEPREFIX=$(mktemp -d /tmp/tessaly-wine.XXXXXX)
    export WINEPREFIX
    WINEBED_OWNS_PREFIX=1
    winebed_copy_template "$WINEPREFIX" || return 1
  fi
  rm -f "$WINEPREFIX/.ready"
  winebed_fonts
}

# The modules and code-page tables in system32, nine tenths of the
# template's size, are hard links to the template's: Wine maps them and
# writes none of them once booted, nor does any test. Copying them for every
# prefix cost more of the processor than most test programs take. Every
# other file, the registry among them, is a copy of the prefix's own. A
# prefix on another file system than the template's is a whole copy.
winebed_copy_template() {
  local modules='.*/system32/.*\.\(dll\|exe\|nls\|sys\|drv\|vxd\|ocx\|cpl\|acm\|tlb\|ax\|com\|mod\)'
  if ! cp -a --link "$WINEBED_TEMPLATE/." "$1/" 2>/dev/null; then
    rm -rf "$1" && mkdir -p "$1" && cp -a "$WINEBED_TEMPLATE/." "$1/"
    return
  fi
  (cd "$WINEBED_TEMPLATE" && find . -type f ! -regex "$modules" -print0 |
     xargs -0 -r cp -p --parents --remove-destination -t "$1")
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

# A process that has ended may stay a zombie, unreaped, for a while.
winebed_alive() {
  local _pid _name state
  [ -n "$1" ] && read -r _pid _name state _ 2>/dev/null <"/proc/$1/stat" && [ "$state" != Z ]
}

# Kept sessions. A prefix's first process starts its services, wineboot and
# the desktop process, and they end again with its last one: under an
# emulator that costs seconds of processor time per program, more than most
# test programs take themselves. A program that leaves no state behind for
# another to read can run in a session kept running by a waiting process
# (the keeper). Each session is held by one program at a time (a lock on
# fd 7, kept until the holder exits), so programs run at once never share
# one. A session ends once unused for WINEBED_SESSION_IDLE seconds, and is
# made again from the template when its keeper has ended or its display
# differs.
winebed_session_take() {
  local root=$1 i
  mkdir -p "$root" || return 1
  for ((i = 0; i < ${WINEBED_SESSIONS:-4}; i++)); do
    exec 7>>"$root/$i.lock" || return 1
    if flock -n 7; then
      WINEBED_SESSION=$root/$i
      export WINEPREFIX=$WINEBED_SESSION/prefix
      if winebed_alive "$(cat "$WINEBED_SESSION/keeper" 2>/dev/null)" &&
         [ "$(cat "$WINEBED_SESSION/display" 2>/dev/null)" = "$DISPLAY" ]; then
        return 0
      fi
      winebed_session_boot && return 0
      winebed_session_end
      exec 7>&-
      return 1
    fi
    exec 7>&-
  done
  return 1
}

# The held session's prefix, fresh from the template, and its keeper: a
# command prompt waiting for a line that never comes, watched by a detached
# shell that ends the session when it has been idle too long.
winebed_session_boot() {
  local dir=$WINEBED_SESSION
  winebed_session_end
  mkdir -p "$dir" && WINEBED_PREFIX=$WINEPREFIX winebed_prefix || return 1
  mkfifo "$dir/hold" && printf '%s\n' "$DISPLAY" >"$dir/display" && touch "$dir/used" || return 1
  setsid bash -c '. "$1"; winebed_session_keep "$2"' bash "${BASH_SOURCE[0]}" "$dir" \
    </dev/null >/dev/null 2>&1 7>&- &
  local end=$((SECONDS + 60))
  until [ -s "$dir/keeper" ]; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# Runs detached from the test that started the session: it outlives it, and
# so keeps none of the files the test's runner left open to it.
winebed_session_keep() {
  local dir=$1 keeper idle fd
  for fd in /proc/$BASHPID/fd/*; do
    fd=${fd##*/}
    [ "$fd" -gt 2 ] 2>/dev/null && eval "exec $fd>&-"
  done
  export WINEPREFIX=$dir/prefix
  wine cmd /c "set /p line=" 0<>"$dir/hold" &
  keeper=$!
  echo "$keeper" >"$dir/keeper"
  while winebed_alive "$keeper"; do
    sleep 5
    idle=$(( $(date +%s) - $(stat -c %Y "$dir/used" 2>/dev/null || echo 0) ))
    [ "$idle" -ge "${WINEBED_SESSION_IDLE:-60}" ] || continue
    exec 7>>"$dir.lock"
    if flock -n 7; then
      WINEBED_SESSION=$dir winebed_session_end
      return
    fi
    exec 7>&-
  done
}

# The session's processes end with the server; the next holder boots it anew.
winebed_session_end() {
  [ -n "${WINEBED_SESSION:-}" ] || return 0
  if [ -d "$WINEBED_SESSION/prefix" ]; then
    WINEPREFIX=$WINEBED_SESSION/prefix winebed_end_processes
  fi
  rm -rf "$WINEBED_SESSION/prefix" "$WINEBED_SESSION/keeper" "$WINEBED_SESSION/hold" \
    "$WINEBED_SESSION/display" "$WINEBED_SESSION/used"
}

# A holder that has not let go within 30 seconds is one left behind by a
# run that was cut off: its session ends all the same.
winebed_sessions_end() {
  local root lock
  root=$(readlink -f "$1")  # Wine takes a prefix by its absolute path only
  for lock in "$root"/*.lock; do
    [ -e "$lock" ] || continue
    (
      flock -w 30 7 || winebed_log "${lock%.lock} still held; ended all the same"
      WINEBED_SESSION=${lock%.lock} winebed_session_end
    ) 7>>"$lock"
  done
}
