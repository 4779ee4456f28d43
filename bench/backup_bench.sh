#!/usr/bin/env bash
# Backup: SaveSystemFiles of VarnTools.dll under Wine (BenchBackup.exe times
# the call itself) against gcab on the same files natively, on a fixed set of
# system files of about 1 MB generated into the prefix's Windows folder:
# WIN.INI and SYSTEM.INI as profile text, SYSTEM.DAT and USER.DAT as
# registry-like records. The rounds alternate which goes first
# (BENCH_BACKUP_ROUNDS, default 9); each writes a fresh cabinet. The figures
# are the median of the per-round time ratios and the cabinet sizes.
#
# The baseline is "gcab -c -z": MSZIP, the compression SaveSystemFiles uses;
# an uncompressed "gcab -c" cabinet is reported beside it. Besides writing,
# SaveSystemFiles reads its cabinet back whole to verify it and then moves it
# into place; gcab only writes. The call runs Wine-hosted, gcab natively, and
# gcab's time includes starting its process (a few milliseconds).
. "$TESSALY_SOURCE/bench/bench_lib.sh"

rounds=${BENCH_BACKUP_ROUNDS:-9}
winebed_start || exit 1
tessaly_layout "$TESSALY_BIN"
windows=$WINEPREFIX/drive_c/windows
work=$(mktemp -d /tmp/tessaly-bench-backup.XXXXXX)
trap 'rm -rf "$work"; winebed_cleanup' EXIT

# gen_profile SEED BYTES: profile text with sections and keys.
gen_profile() {
  LC_ALL=C awk -v seed="$1" -v size="$2" 'BEGIN {
    srand(seed); out = 0; s = 0
    while (out < size) {
      line = (out == 0 || rand() < 0.08) ? sprintf("[Section%d]", ++s) \
        : sprintf("Key%d=%s%d,%x", int(rand() * 5000), (rand() < 0.5 ? "C:\\WINDOWS\\SYSTEM\\" : "value"),
                  int(rand() * 100000), int(rand() * 65536))
      printf "%s\r\n", line; out += length(line) + 2
    }
  }'
}
# gen_records SEED BYTES: registry-like records, key paths and binary data.
gen_records() {
  LC_ALL=C awk -v seed="$1" -v size="$2" 'BEGIN {
    srand(seed); out = 0
    while (out < size) {
      path = sprintf("Software\\Vendor%d\\Product%d\\Value%d", int(rand() * 40),
                     int(rand() * 200), int(rand() * 1000))
      printf "%s%c", path, 0; out += length(path) + 1
      n = 4 + int(rand() * 28)
      for (i = 0; i < n; i++) printf "%c", int(rand() * 256)
      out += n
    }
  }' | head -c "$2"
}
gen_profile 1 65536 >"$windows/win.ini"
gen_profile 2 65536 >"$windows/system.ini"
gen_records 3 524288 >"$windows/SYSTEM.DAT"
gen_records 4 393216 >"$windows/USER.DAT"
rm -f "$WINEPREFIX/drive_c/CONFIG.SYS" "$WINEPREFIX/drive_c/AUTOEXEC.BAT"
total=$(cat "$windows"/{win.ini,system.ini,SYSTEM.DAT,USER.DAT} | wc -c)

# The same files under the names they have inside the cabinet, with a
# description member like SaveSystemFiles's.
mkdir -p "$work/files" "$work/gcab"
cp "$windows/win.ini" "$work/files/WIN.INI"
cp "$windows/system.ini" "$work/files/SYSTEM.INI"
cp "$windows/SYSTEM.DAT" "$windows/USER.DAT" "$work/files/"
printf 'Tessaly Backup benchmark\r\nSaved by Brenmoor Software Corp Vantor\r\n' \
  >"$work/files/DESCRIPT.TXT"
members=(WIN.INI SYSTEM.INI SYSTEM.DAT USER.DAT DESCRIPT.TXT)

save_dir=$TESSALY_DIR/Recovery
cp "$BENCH_BIN/BenchBackup.exe" "$TESSALY_DIR/"
now_ms() { awk -v ns="$(date +%s%N)" 'BEGIN { printf "%.2f", ns / 1e6 }'; }
varn() {
  rm -f "$save_dir"/*
  local out
  out=$(cd "$TESSALY_DIR" && timeout 300 wine BenchBackup.exe "$TESSALY_INSTALL_DIR" \
    "$TESSALY_INSTALL_DIR\\Recovery" Tessaly1 2>/dev/null | tr -d '\r')
  grep -q '^result 1$' <<<"$out" || { echo "SaveSystemFiles failed: $out" >&2; return 1; }
  sed -n 's/^ms //p' <<<"$out"
}
gcab_ms() {  # gcab_ms OPTIONS CABINET
  rm -f "$2"
  local begin end
  begin=$(now_ms)
  (cd "$work/files" && gcab $1 "$2" "${members[@]}") || return 1
  end=$(now_ms)
  awk -v a="$begin" -v b="$end" 'BEGIN { printf "%.2f", b - a }'
}

varn >/dev/null || exit 1  # warm-up: Wine's cabinet library and the files in the cache
times_v=() times_g=()
for round in $(seq 1 "$rounds"); do
  if [ $((round % 2)) = 1 ]; then
    v=$(varn) || exit 1
    g=$(gcab_ms -cz "$work/gcab/z.cab") || exit 1
  else
    g=$(gcab_ms -cz "$work/gcab/z.cab") || exit 1
    v=$(varn) || exit 1
  fi
  times_v+=("$v") times_g+=("$g")
  echo "round $round: SaveSystemFiles $v ms, gcab -cz $g ms" >&2
done
gcab_ms -c "$work/gcab/plain.cab" >/dev/null || exit 1
ratios=()
for i in "${!times_v[@]}"; do ratios+=("$(bench_ratio "${times_v[$i]}" "${times_g[$i]}")"); done

cabinet=$save_dir/Tessaly11.cab
[ -f "$cabinet" ] || { echo "no cabinet $cabinet" >&2; exit 1; }
cabextract -t "$cabinet" >/dev/null 2>&1 || { echo "cabinet does not extract" >&2; exit 1; }
size_v=$(stat -c %s "$cabinet")
size_g=$(stat -c %s "$work/gcab/z.cab")
size_plain=$(stat -c %s "$work/gcab/plain.cab")
echo "files: $total bytes; cabinets: SaveSystemFiles $size_v, gcab -cz $size_g," \
  "gcab -c $size_plain" >&2

bench_row "Backup of $((total / 1024)) KB: SaveSystemFiles (Wine) vs gcab -cz (native)" \
  "$(printf '%.2f' "$(bench_median "${ratios[@]}")")x median of $rounds rounds ($(bench_median "${times_v[@]}") ms / $(bench_median "${times_g[@]}") ms)" \
  "<= 1.50x"
bench_row "  cabinet size vs gcab -cz" \
  "$(bench_ratio "$size_v" "$size_g")x ($size_v B / $size_g B; gcab -c uncompressed $size_plain B)" \
  "<= 1.00x"
