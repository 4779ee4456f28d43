#!/usr/bin/env bash
# Will the shipping files load and run on a Windows 95 PC with a 486?
#
# Read as PE files with objdump, never run:
#   - every name Tessaly.exe, Pellix.dll and the companion stand-ins import is
#     in its DLL's Windows 95 export list (tests/data/win95/, MSVCRT.DLL 4.20
#     for the C runtime); a W function that Windows 95 only exports as a
#     failing stub needs a line in w-stub-allow.txt; no import by ordinal from
#     a system DLL; no CABINET.DLL import (Windows 95 has none);
#   - subsystem and OS versions are 4.0;
#   - Tessaly.exe and Pellix.dll hold no instruction past the i486 in any
#     code section (CMOVcc, FCMOVcc, FCOMI & co, CMPXCHG8B, RDTSC, RDPMC,
#     SYSENTER/SYSEXIT, MMX, SSE);
#   - Pellix.dll imports only KERNEL32 and USER32 and is at most 6 KB.
# Every offender is named with its place. With --figures it prints the
# figures the benchmark table shows and checks nothing.
set -u
: "${TESSALY_BIN:?}"
: "${TESSALY_SOURCE:?}"
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
DATA=$TESSALY_SOURCE/tests/data/win95
PELLIX_MAX_BYTES=6144

# The program's own DLLs, checked on their own: their imports are not
# system imports.
OWN_DLLS="pellix.dll varntools.dll varntests.dll quillet.dll"

# list_for DLL: the export list file of a system DLL, empty when unknown.
list_for() {
  case $1 in
    kernel32.dll) echo "$DATA/kernel32.txt" ;;
    user32.dll) echo "$DATA/user32.txt" ;;
    gdi32.dll) echo "$DATA/gdi32.txt" ;;
    advapi32.dll) echo "$DATA/advapi32.txt" ;;
    shell32.dll) echo "$DATA/shell32.txt" ;;
    msvcrt.dll) echo "$DATA/msvcrt.txt" ;;
  esac
}

# imports FILE: "dll name" or "dll #ordinal" per import, dll lower-case.
imports() {
  "$OBJDUMP" -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3); inside = 1; next }
    inside && /^[ \t]*$/ { inside = 0 }
    inside && /Hint\/Ord/ { next }
    inside && NF == 3 && $3 == "<none>" { print dll, "#" $2; next }
    inside && NF >= 3 { print dll, $3 }'
}

# import_offenders FILE: one line per import Windows 95 cannot satisfy.
import_offenders() {
  local file=$1 name=${1##*/} dll sym list
  while read -r dll sym; do
    case " $OWN_DLLS " in *" $dll "*) continue ;; esac
    if [ "$dll" = cabinet.dll ]; then
      echo "$name: imports $dll!$sym (Windows 95 has no CABINET.DLL: load it at run time)"
      continue
    fi
    list=$(list_for "$dll")
    if [ -z "$list" ]; then
      echo "$name: imports $dll!$sym (no Windows 95 list for $dll)"
    elif [ "${sym#\#}" != "$sym" ]; then
      echo "$name: imports $dll ordinal ${sym#\#} (no imports by ordinal from a system DLL)"
    elif ! grep -qxF -- "$sym" "$list"; then
      echo "$name: imports $dll!$sym (not in the Windows 95 list ${list##*/})"
    elif [[ $sym =~ [a-z0-9]W$ ]] && [[ $sym != *AorW ]] &&
      ! grep -qxF -- "$sym" "$DATA/win95-wide-implemented.txt" &&
      ! awk -v s="$sym" -v f="$name" '$1 == s && ("," $2 ",") ~ ("," f ",") { found = 1 }
          END { exit !found }' "$DATA/w-stub-allow.txt"; then
      echo "$name: imports $dll!$sym (a failing stub on Windows 95, not allowed for $name in w-stub-allow.txt)"
    fi
  done < <(imports "$file")
}

# version_offenders FILE: subsystem and OS versions other than 4.0.
version_offenders() {
  "$OBJDUMP" -p "$1" | awk -v name="${1##*/}" '
    /^Major(OSystem|Subsystem)Version/ && $2 != 4 { print name ": " $1 " " $2 " (want 4)" }
    /^Minor(OSystem|Subsystem)Version/ && $2 != 0 { print name ": " $1 " " $2 " (want 0)" }'
}

# instruction_offenders FILE: "address <function>: instruction" for each
# instruction past the i486 in the code sections.
instruction_offenders() {
  "$OBJDUMP" -d --no-show-raw-insn "$1" | awk -v name="${1##*/}" '
    /^[0-9a-f]+ <.*>:$/ { fn = $2; sub(/:$/, "", fn); next }
    /^ *[0-9a-f]+:\t/ {
      split($0, part, "\t"); insn = part[2]; mnem = insn; sub(/ .*/, "", mnem)
      if (mnem ~ /^(cmov|fcmov)/ ||
          mnem ~ /^(fcomi|fcomip|fucomi|fucomip|cmpxchg8b|rdtsc|rdpmc|sysenter|sysexit)$/ ||
          mnem ~ /^(emms|femms|sfence|lfence|mfence|clflush|movnti|fxsave|fxrstor|ldmxcsr|stmxcsr|prefetch.*)$/ ||
          insn ~ /%x?mm[0-9]/) {
        addr = part[1]; gsub(/[ :]/, "", addr)
        print name ": 0x" addr " " fn ": " insn
      }
    }'
}

# stripped_size FILE: bytes once stripped.
stripped_size() {
  local copy size
  copy=$(mktemp)
  "${STRIP:-i686-w64-mingw32-strip}" -o "$copy" "$1" && size=$(stat -c %s "$copy")
  rm -f "$copy"
  echo "${size:-0}"
}

# resource_bytes FILE: bytes the .rsrc section takes in the file (its size
# rounded up to the 512-byte file alignment).
resource_bytes() {
  local size
  size=$("$OBJDUMP" -h "$1" | awk '$2 == ".rsrc" { print $3 }')
  [ -n "$size" ] || { echo 0; return; }
  echo $(( (16#$size + 511) / 512 * 512 ))
}

if [ "${1:-}" = --figures ]; then
  exe=$TESSALY_BIN/Tessaly.exe dll=$TESSALY_BIN/Pellix.dll
  stripped=$(stripped_size "$exe")
  resources=$(resource_bytes "$exe")
  echo "tessaly_stripped_bytes $stripped"
  echo "tessaly_code_data_bytes $((stripped - resources))"
  echo "tessaly_resource_bytes $resources"
  echo "import_offenders $( { import_offenders "$exe"; import_offenders "$dll"; } | wc -l)"
  echo "instructions $( { instruction_offenders "$exe"; instruction_offenders "$dll"; } | wc -l)"
  echo "pellix_imports $(imports "$dll" | awk '{print $1 "!" $2}' | sort | paste -sd ' ')"
  echo "pellix_bytes $(stripped_size "$dll")"
  exit 0
fi

# report DESCRIPTION < offenders; counts the failures in $failed (a report
# may run at the end of a pipeline, in a subshell).
failed=$(mktemp)
trap 'rm -f "$failed"' EXIT
report() {
  local what=$1 lines
  lines=$(cat)
  if [ -z "$lines" ]; then
    echo "ok   $what"
  else
    echo "FAIL $what ($(wc -l <<<"$lines"))"
    sed 's/^/     /' <<<"$lines"
    echo x >>"$failed"
  fi
}

shipping=("$TESSALY_BIN/Tessaly.exe" "$TESSALY_BIN/Pellix.dll")
standins=("$TESSALY_BIN/VarnTools.dll" "$TESSALY_BIN/VarnTests.dll" "$TESSALY_BIN/Quillet.dll"
          "$TESSALY_BIN/Vantor.Exe")
for f in "${shipping[@]}" "${standins[@]}"; do
  [ -f "$f" ] || { echo "FAIL missing $f"; exit 1; }
done

for f in "${shipping[@]}" "${standins[@]}"; do
  import_offenders "$f" | report "${f##*/}: every import is in Windows 95's lists"
  version_offenders "$f" | report "${f##*/}: subsystem and OS version 4.0"
done
for f in "${shipping[@]}"; do
  instruction_offenders "$f" | report "${f##*/}: no instruction past the i486"
done

imports "$TESSALY_BIN/Pellix.dll" | awk '$1 != "kernel32.dll" && $1 != "user32.dll" {
  print "Pellix.dll: imports " $1 "!" $2 }' | report "Pellix.dll imports only KERNEL32 and USER32"
size=$(stripped_size "$TESSALY_BIN/Pellix.dll")
built=$(stat -c %s "$TESSALY_BIN/Pellix.dll")
{ [ "$size" -le "$PELLIX_MAX_BYTES" ] && [ "$built" -le "$PELLIX_MAX_BYTES" ] ||
  echo "Pellix.dll: $built bytes built, $size stripped (at most $PELLIX_MAX_BYTES)"; } |
  report "Pellix.dll is at most 6 KB"

# Every allowed W stub names its reason.
awk '!/^#/ && NF > 0 && NF < 3 { print "w-stub-allow.txt: " $1 " has no files or no reason" }' \
  "$DATA/w-stub-allow.txt" | report "each allowed W stub gives its reason"

failures=$(wc -l <"$failed")
[ "$failures" = 0 ] && echo PASS || { echo "$failures check(s) failed"; exit 1; }
