#!/usr/bin/env bash
# Pellix.dll footprint: the size of a stripped copy against the 6 KB budget,
# and the DLLs it imports, which must be KERNEL32 and USER32 only (the
# platform maps the library into every process that takes input; no C
# runtime is mapped along with it).
. "$TESSALY_SOURCE/bench/bench_lib.sh"

budget=6144
system_dlls='^(kernel32|user32)\.dll$'

dll=$TESSALY_BIN/Pellix.dll
[ -f "$dll" ] || { echo "no $dll" >&2; exit 1; }
copy=$(mktemp --suffix=.dll)
trap 'rm -f "$copy"' EXIT
cp "$dll" "$copy"
i686-w64-mingw32-strip "$copy" || exit 1
size=$(stat -c %s "$copy")
imports=$(i686-w64-mingw32-objdump -p "$copy" | sed -n 's/^[[:space:]]*DLL Name: //p' |
  tr -d '\r' | sort -f -u | paste -sd ' ')
others=$(tr ' ' '\n' <<<"$imports" | grep -viE "$system_dlls" | paste -sd ' ')
echo "stripped size: $size bytes (unstripped $(stat -c %s "$dll")); imports: $imports" >&2

bench_row "Pellix.dll stripped size vs 6 KB" \
  "$(bench_ratio "$size" "$budget")x ($size B / $budget B)" "<= 1.00x"
bench_row "Pellix.dll imports" "${imports:-none}${others:+ (not system: $others)}" \
  "KERNEL32 and USER32 only"
