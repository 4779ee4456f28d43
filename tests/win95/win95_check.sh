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
#   - Pellix.dll imports only KERNEL32 and USER32 and is at most 6 KB;
#   - the file layout of Tessaly.exe and Pellix.dll: Windows GUI subsystem,
#     FileAlignment at least 512 and SectionAlignment 4096, no TLS,
#     load-configuration, delay-import or bound-import directory, section
#     names of at most 8 characters, no stack frame of 4096 bytes or more
#     and no stack probe routine; Pellix.dll keeps its relocations and its
#     SHARDATA section is shared, four words, zero in the file;
#   - their resources as Windows 95 reads them (win95_resources.py):
#     bitmaps, icons, dialog templates, tray tips;
#   - their sources: no low-level hook types, every record size handed to
#     the system a checked constant, the log of runs bounded under the
#     64 KB that Windows 95 reads of an initialisation file.
# Every offender is named with its place and a reason. With --figures it
# prints the figures the benchmark table shows and checks nothing.
set -u
: "${TESSALY_BIN:?}"
: "${TESSALY_SOURCE:?}"
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
DATA=$TESSALY_SOURCE/tests/data/win95
HERE=$(cd "$(dirname "$0")" && pwd)
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

# header_field FILE NAME: a field of the PE optional header as objdump -p
# prints it.
header_field() {
  "$OBJDUMP" -p "$1" | awk -v field="$2" '$1 == field { print $2; exit }'
}

# layout_offenders FILE: a file layout the Windows 95 loader does not take.
# It reads files in 512-byte sectors and maps sections on 4 KB pages.
layout_offenders() {
  local name=${1##*/} file_align section_align
  file_align=$(header_field "$1" FileAlignment)
  section_align=$(header_field "$1" SectionAlignment)
  [ $((16#${file_align:-0})) -ge 512 ] ||
    echo "$name: optional header FileAlignment 0x$file_align: Windows 95 loads only files aligned to at least 512 bytes"
  [ $((16#${section_align:-0})) -eq 4096 ] ||
    echo "$name: optional header SectionAlignment 0x$section_align: Windows 95 maps sections on 4096-byte pages"
}

# gui_offenders FILE: a subsystem other than the Windows GUI one.
gui_offenders() {
  "$OBJDUMP" -p "$1" | awk -v name="${1##*/}" '
    $1 == "Subsystem" && $2 + 0 != 2 {
      print name ": optional header Subsystem " $2 " " $3 " " $4 ": want Windows GUI (2); Windows 95 opens a console for a console program, and the library is marked as its program"
    }'
}

# directory_offenders FILE: data directories the program must not carry:
# static TLS (not set up for a library that Windows 95 maps into a process
# after its start), a load configuration (the later systems' security data,
# unknown to Windows 95), delay-loaded imports (resolved by linked-in code,
# outside the loader and outside the import check) and bound imports (bound
# to another system's DLLs).
directory_offenders() {
  "$OBJDUMP" -p "$1" | awk -v name="${1##*/}" '
    $1 == "Entry" && ($2 == "9" || $2 == "a" || $2 == "b" || $2 == "d") &&
        ($3 != "00000000" || $4 != "00000000") {
      what = $5; for (i = 6; i <= NF; i++) what = what " " $i
      reason["9"] = "static TLS, which Windows 95 does not set up for a library loaded after start-up"
      reason["a"] = "Windows 95 knows no load configuration"
      reason["b"] = "bound to the DLLs of another system"
      reason["d"] = "delay-loaded imports escape the loader and the Windows 95 import check"
      print name ": data directory " $2 " (" what ") at 0x" $3 ": " reason[$2]
    }'
}

# section_name_offenders FILE: section names longer than the 8 bytes of the
# section table; longer names live in a string table Windows 95 never reads.
section_name_offenders() {
  "$OBJDUMP" -h "$1" | awk -v name="${1##*/}" '
    $1 ~ /^[0-9]+$/ && length($2) > 8 {
      print name ": section " $1 " \"" $2 "\": " length($2) " characters, Windows 95 reads 8"
    }'
}

# relocation_offenders FILE: a library without base relocations cannot be
# moved when its preferred address is taken in a process it is mapped into.
relocation_offenders() {
  local name=${1##*/} dump
  dump=$("$OBJDUMP" -p "$1")
  grep -q "relocations stripped" <<<"$dump" &&
    echo "$name: file header: relocations stripped; Windows 95 could not move the library"
  awk '$1 == "Entry" && $2 == "5" && $4 == "00000000" { found = 1 } END { exit !found }' <<<"$dump" &&
    echo "$name: data directory 5 (Base Relocation Directory) empty; Windows 95 could not move the library"
}

# shared_section_offenders FILE: "SHARDATA" holds the words that every
# process mapping the library shares: the stamp, the two hook handles and the
# id of the process that installed them. Flagged shared and writable, exactly
# four words, zero in the file so that the first process to map the library
# starts from "never stamped, no hooks".
shared_section_offenders() {
  local name=${1##*/} line flags size
  line=$("$OBJDUMP" -h "$1" | grep -A1 -E '^ *[0-9]+ SHARDATA ')
  if [ -z "$line" ]; then
    echo "$name: no SHARDATA section: the stamp and hook handles would not be shared"
    return
  fi
  flags=$(tail -n 1 <<<"$line")
  size=$(awk 'NR == 1 { print $3 }' <<<"$line")
  grep -qw SHARED <<<"$flags" ||
    echo "$name: section SHARDATA not flagged shared: each process would keep its own stamp"
  grep -qw READONLY <<<"$flags" &&
    echo "$name: section SHARDATA read-only: the hooks could not stamp"
  [ "$((16#$size))" -eq 16 ] ||
    echo "$name: section SHARDATA of $((16#$size)) bytes: it holds exactly four words"
  "$OBJDUMP" -s -j SHARDATA "$1" | awk -v name="$name" '
    /^ [0-9a-f]+ / {
      for (i = 2; i <= 5; i++) if ($i ~ /^[0-9a-f]+$/ && $i ~ /[1-9a-f]/) {
        print name ": section SHARDATA at 0x" $1 ": " $i " not zero in the file"; exit
      }
    }'
}

# stack_offenders FILE: Windows 95 commits a thread's stack one guard page at
# a time, so a frame of 4096 bytes or more must touch its pages in order, and
# only a probe routine (__chkstk, _alloca, ___chkstk_ms) does that here. The
# program has neither such frames nor such routines. Probe routines are found
# by their symbol where the file keeps a symbol table, else by their loop.
stack_offenders() {
  local name=${1##*/}
  "$OBJDUMP" -t "$1" 2>/dev/null | awk -v name="$name" '
    $NF ~ /(chkstk|alloca)/ { print name ": symbol " $NF ": a stack probe routine" }'
  "$OBJDUMP" -d --no-show-raw-insn "$1" | awk -v name="$name" '
    function hex(s,   i, n) {
      n = 0; s = tolower(s)
      for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
      return n
    }
    /^[0-9a-f]+ <.*>:$/ { fn = $2; sub(/:$/, "", fn); next }
    /^ *[0-9a-f]+:\t/ {
      split($0, part, "\t"); insn = part[2]; addr = part[1]; gsub(/[ :]/, "", addr)
      if (insn ~ /^sub +\$0x[0-9a-f]+,%esp$/) {
        imm = insn; sub(/^sub +\$0x/, "", imm); sub(/,.*/, "", imm)
        if (hex(imm) >= 4096)
          print name ": 0x" addr " " fn ": stack frame of " hex(imm) " bytes (4096 or more)"
      }
      if (insn ~ /^orl? +\$0x0,\(%ecx\)$/ && previous ~ /^sub +\$0x1000,%ecx$/)
        print name ": 0x" addr " " fn ": a stack probe loop (__chkstk or _alloca)"
      previous = insn
    }'
}

# The sources of the two shipping files.
shipping_sources() {
  (cd "$TESSALY_SOURCE" && find Dll base presentation actions ui app res -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.rc' \) | sort)
}

# low_level_hook_offenders: Windows 95 has no low-level hooks; a request for
# one fails and no input is seen.
low_level_hook_offenders() {
  (cd "$TESSALY_SOURCE" && shipping_sources | xargs grep -nE 'WH_(KEYBOARD|MOUSE)_LL|SetWindowsHookEx[AW]? *\( *1[34] *,' /dev/null) |
    sed -E 's/^([^:]+:[0-9]+):.*/\1: a low-level hook type: Windows 95 has none, the hook would never be installed/'
}

# structure_size_offenders: a record whose size member tells the system its
# form (cbSize and the like) gets a named constant whose value a
# static_assert in the same file checks, as the tray record's 88 bytes: the
# later systems' headers make several of these records larger, and Windows 95
# refuses or misreads the larger forms.
structure_size_offenders() {
  local file line member value
  while IFS=: read -r file line member value; do
    if ! [[ $value =~ ^k[A-Z][A-Za-z0-9]*$ ]]; then
      echo "$file:$line: $member = $value: the size of the form Windows 95 knows is a named, checked constant"
    elif ! tr '\n' ' ' <"$TESSALY_SOURCE/$file" | grep -qE "static_assert *\\([^;]*\\b$value\\b"; then
      echo "$file:$line: $member = $value: no static_assert in $file checks $value against the record"
    fi
  done < <(cd "$TESSALY_SOURCE" && shipping_sources | xargs grep -nE \
    '(\.|->)(cbSize|cb|cbStruct|dwSize|dwOSVersionInfoSize|lStructSize|nLength|uSize) *= *[^=]' /dev/null |
    sed -E 's/^([^:]+):([0-9]+):.*(\.|->)([A-Za-z]+) *= *([^;]*);.*/\1:\2:\4:\5/')
}

# run_log_offenders: Windows 95 reads and writes at most the first 64 KB of
# an initialisation file and ignores the rest without an error, so the log of
# runs keeps each section to its newest lines. The lines kept in every
# section, each of the longest key and value with "=" and the line end, and
# the section headers must fit in 65536 bytes (read from app/run_log.h); and
# the log is written only through WriteRunLogLine, which keeps that bound.
run_log_offenders() {
  local header=$TESSALY_SOURCE/app/run_log.h kept size names line total name
  kept=$(sed -nE 's/^inline constexpr size_t kRunLogLinesKept = ([0-9]+);.*/\1/p' "$header" 2>/dev/null)
  size=$(sed -nE 's/^inline constexpr size_t kRunLogTextSize = ([0-9]+);.*/\1/p' "$header" 2>/dev/null)
  names=$(sed -nE 's/^inline constexpr const char k[A-Za-z]+Section\[\] = "([^"]+)";.*/\1/p' "$header" 2>/dev/null)
  if [ -z "$kept" ] || [ -z "$size" ] || [ -z "$names" ]; then
    echo "app/run_log.h: no kRunLogLinesKept, kRunLogTextSize or sections: the log of runs has no bound"
    return
  fi
  line=$((2 * (size - 1) + 1 + 2))
  total=0
  while read -r name; do
    total=$((total + kept * line + ${#name} + 4))
  done <<<"$names"
  [ "$total" -lt 65536 ] ||
    echo "app/run_log.h: $kept lines of up to $line bytes in each of $(wc -l <<<"$names") sections and their headers come to $total bytes, past the 64 KB Windows 95 reads"
  (cd "$TESSALY_SOURCE" && shipping_sources | grep -v '^app/run_log\.cpp$' |
    xargs grep -nE 'WriteString *\( *kRunLogFile' /dev/null) |
    sed -E 's/^([^:]+:[0-9]+):.*/\1: writes the log of runs past WriteRunLogLine, which keeps it under 64 KB/'
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
  name=${f##*/}
  instruction_offenders "$f" | report "$name: no instruction past the i486"
  layout_offenders "$f" | report "$name: FileAlignment at least 512, SectionAlignment 4096"
  gui_offenders "$f" | report "$name: Windows GUI subsystem"
  directory_offenders "$f" | report "$name: no TLS, load-configuration, delay-import or bound-import directory"
  section_name_offenders "$f" | report "$name: section names of at most 8 characters"
  stack_offenders "$f" | report "$name: no stack frame of 4096 bytes or more, no __chkstk or _alloca"
  for rule in bitmaps icons dialogs; do
    python3 "$HERE/win95_resources.py" "$rule" "$f" | report "$name: $rule as Windows 95 reads them"
  done
done
relocation_offenders "$TESSALY_BIN/Pellix.dll" | report "Pellix.dll keeps its base relocations"
shared_section_offenders "$TESSALY_BIN/Pellix.dll" |
  report "Pellix.dll: SHARDATA shared, four words, zero in the file"
python3 "$HERE/win95_resources.py" tips "$TESSALY_BIN/Tessaly.exe" "$TESSALY_SOURCE/res/resource.h" |
  report "Tessaly.exe: tray tips fit the 64-byte field or are cut after 63 characters"
low_level_hook_offenders | report "sources: no low-level hook types"
structure_size_offenders | report "sources: every record size handed to the system is a checked constant"
run_log_offenders | report "sources: the log of runs stays under the 64 KB Windows 95 reads"

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
