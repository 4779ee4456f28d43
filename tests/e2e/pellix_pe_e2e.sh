#!/usr/bin/env bash
# The built Pellix.dll and a program bound to it, read as PE files:
#   - the DLL imports only KERNEL32 and USER32, and from them only the clock,
#     the three hook calls, and the process and mutex calls that keep a
#     second installer off a live owner's hooks;
#   - it exports the six entry points by ordinal and name;
#   - its SHARDATA section is four words (the stamp, the two hook handles
#     and their owner's process id), writable and shared;
#   - it stays small once stripped;
#   - IdleWatch.exe, linked against the by-ordinal import library, imports
#     Pellix.dll's ordinals 2, 3 and 4 and no names.
set -u
: "${TESSALY_BIN:?}"
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
STRIP=${STRIP:-i686-w64-mingw32-strip}
DLL=$TESSALY_BIN/Pellix.dll
EXE=$TESSALY_BIN/IdleWatch.exe
MAX_BYTES=12288

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}

[ -f "$DLL" ] && [ -f "$EXE" ] || { echo "FAIL missing $DLL or $EXE"; exit 1; }
dll_p=$("$OBJDUMP" -p "$DLL") || exit 1
dll_h=$("$OBJDUMP" -h "$DLL") || exit 1
exe_p=$("$OBJDUMP" -p "$EXE") || exit 1

# imported_dlls OBJDUMP_P_TEXT: the DLL names, lower-case, sorted.
imported_dlls() { sed -nE 's/^\s*DLL Name: (.*)$/\1/p' <<<"$1" | tr 'A-Z' 'a-z' | sort -u; }
# imports_of OBJDUMP_P_TEXT DLL: the entries imported from DLL, one a line:
# "ordinal N" or "name X".
imports_of() {
  awk -v dll="$(tr 'A-Z' 'a-z' <<<"$2")" '
    /DLL Name:/ { name = tolower($3); inside = (name == dll); next }
    inside && /^[ \t]*$/ { inside = 0 }
    inside && /Hint\/Ord/ { next }
    inside && NF == 3 && $3 == "<none>" && $1 ~ /^8000/ { print "ordinal " $2; next }
    inside && NF >= 3 { print "name " $3 }
  ' <<<"$1" | sort
}
# exported OBJDUMP_P_TEXT: "ordinal name" for each named export.
exported() {
  awk '
    /Ordinal Base/ { base = $NF }
    /\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
    inside && /^[ \t]*$/ { inside = 0 }
    inside { gsub(/[][]/, " "); print $1 + base, $2 }
  ' <<<"$1" | sort -n
}

system_dlls_only() {
  local dll bad=0
  for dll in $(imported_dlls "$dll_p"); do
    case $dll in
      kernel32.dll | user32.dll) ;;
      *) echo "     imports $dll"; bad=1 ;;
    esac
  done
  [ "$bad" = 0 ] && [ -n "$(imported_dlls "$dll_p")" ]
}
check "Pellix.dll imports only kernel32 and user32" system_dlls_only

only_clock_and_hooks() {
  local got
  got=$( { imports_of "$dll_p" msvcrt.dll; imports_of "$dll_p" user32.dll; imports_of "$dll_p" kernel32.dll; } | sort)
  local want
  want=$(printf 'name %s\n' CallNextHookEx GetSystemTimeAsFileTime SetWindowsHookExA \
    UnhookWindowsHookEx GetCurrentProcessId OpenProcess GetExitCodeProcess CloseHandle \
    CreateMutexA WaitForSingleObject ReleaseMutex | sort)
  [ "$got" = "$want" ] || { echo "     imports:"; sed 's/^/       /' <<<"$got"; return 1; }
}
check "Pellix.dll imports only the system time, the three hook calls and the owner's guard" only_clock_and_hooks

six_exports() {
  local got want
  got=$(exported "$dll_p")
  want=$(printf '%s\n' "1 WEP" "2 HookInstall" "3 HookResetTimer" "4 HookIdleSeconds" \
    "5 KeyboardFunc" "6 MouseFunc")
  [ "$got" = "$want" ] || { echo "     exports:"; sed 's/^/       /' <<<"$got"; return 1; }
}
check "Pellix.dll exports 1 WEP .. 6 MouseFunc by ordinal and name" six_exports

shared_section() {
  local line flags
  line=$(grep -E '^\s*[0-9]+ SHARDATA ' <<<"$dll_h") || { echo "     no SHARDATA section"; return 1; }
  flags=$(grep -A1 -E '^\s*[0-9]+ SHARDATA ' <<<"$dll_h" | tail -n 1)
  echo "     $line"
  echo "     $flags"
  [ "$(awk '{print $3}' <<<"$line")" = 00000010 ] &&
    grep -qw SHARED <<<"$flags" && grep -qw DATA <<<"$flags" && ! grep -qw READONLY <<<"$flags"
}
check "SHARDATA is four words, flagged DATA and SHARED, not READONLY" shared_section

small_when_stripped() {
  local copy size
  copy=$(mktemp)
  "$STRIP" -o "$copy" "$DLL" || { rm -f "$copy"; return 1; }
  size=$(stat -c %s "$copy")
  rm -f "$copy"
  echo "     stripped size $size bytes (built: $(stat -c %s "$DLL"))"
  [ "$size" -le "$MAX_BYTES" ] && [ "$(stat -c %s "$DLL")" -le "$MAX_BYTES" ]
}
check "Pellix.dll is at most 12 KB stripped" small_when_stripped

by_ordinal_only() {
  local got want
  got=$(imports_of "$exe_p" Pellix.dll)
  want=$(printf 'ordinal %s\n' 2 3 4)
  [ "$got" = "$want" ] || { echo "     IdleWatch.exe imports from Pellix.dll:"; sed 's/^/       /' <<<"$got"; return 1; }
  grep -A6 'DLL Name: Pellix.dll' <<<"$exe_p" | grep -qE '^\s*80000002\s'
}
check "IdleWatch.exe imports Pellix.dll ordinals 2, 3 and 4 only, no names" by_ordinal_only

no_runtime_dlls() {
  ! imported_dlls "$exe_p" | grep -E 'libstdc|libgcc|winpthread'
}
check "IdleWatch.exe needs no libstdc++, libgcc or winpthread DLL" no_runtime_dlls

[ "$failures" = 0 ] && echo PASS || { echo "$failures check(s) failed"; exit 1; }
