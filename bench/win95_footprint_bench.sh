#!/usr/bin/env bash
# Tessaly.exe on a Windows 95 PC: its code and data (the stripped image
# without its resources) against the 96 KB a resident tray program of its era
# may take, its resources (the bitmaps, mostly), the instructions past the
# i486 in Tessaly.exe and Pellix.dll, and the names Pellix.dll imports. The
# figures come from the check of the test command (tests/win95/win95_check.sh).
. "$TESSALY_SOURCE/bench/bench_lib.sh"

budget=98304
[ -f "$TESSALY_BIN/Tessaly.exe" ] && [ -f "$TESSALY_BIN/Pellix.dll" ] ||
  { echo "no Tessaly.exe or Pellix.dll in $TESSALY_BIN" >&2; exit 1; }
figures=$(bash "$TESSALY_SOURCE/tests/win95/win95_check.sh" --figures) || exit 1
figure() { awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print }' <<<"$figures"; }
echo "$figures" >&2

code=$(figure tessaly_code_data_bytes)
bench_row "Tessaly.exe code and data, stripped, vs 96 KB" \
  "$(bench_ratio "$code" "$budget")x ($code B / $budget B)" "<= 1.00x"
bench_row "Tessaly.exe resources" "$(figure tessaly_resource_bytes) B" "figure only"
bench_row "Instructions past the i486 (Tessaly.exe, Pellix.dll)" "$(figure instructions)" "0"
bench_row "Pellix.dll imported names" "$(figure pellix_imports)" "KERNEL32 and USER32 only"
