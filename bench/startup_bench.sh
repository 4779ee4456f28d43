#!/usr/bin/env bash
# Start-up, under Wine: from CreateProcess of "Tessaly.exe -nosplash" to its
# main window existing, against BenchMinimal.exe creating its one window.
# BenchStartup.exe starts both in turn, BENCH_STARTUP_ROUNDS times (default
# 11) alternating which goes first, closes each again and prints the median
# of the per-round ratios. One warm-up round first (not counted) brings the
# files of both programs and of Wine into the page cache.
. "$TESSALY_SOURCE/bench/bench_lib.sh"

rounds=${BENCH_STARTUP_ROUNDS:-11}
winebed_start || exit 1
winebed_virtual_desktop
tessaly_layout "$TESSALY_BIN"
cp "$BENCH_BIN/BenchMinimal.exe" "$BENCH_BIN/BenchStartup.exe" "$TESSALY_DIR/"

run() {
  (cd "$TESSALY_DIR" && timeout 600 wine BenchStartup.exe "$1" \
    "Vantor Tessaly" $WM_COMMAND:$ID_TRAY_UNLOAD "Tessaly.exe -nosplash" \
    "Tessaly Bench Minimal" $WM_CLOSE:0 "BenchMinimal.exe") 2>/dev/null | tr -d '\r'
}
run 1 >/dev/null || { echo "warm-up round failed" >&2; exit 1; }
output=$(run "$rounds") || { echo "$output" >&2; exit 1; }
echo "$output" >&2
read -r _ tessaly minimal ratio <<<"$(grep '^median ' <<<"$output")"
[ -n "${ratio:-}" ] || exit 1
bench_row "Start-up -nosplash to main window (Wine) vs minimal" \
  "$(printf '%.2f' "$ratio")x median of $rounds rounds ($tessaly ms / $minimal ms)" "<= 1.30x"
