#!/usr/bin/env bash
# The settings store seen from outside, in a fresh Windows-95 prefix: the
# probe program (the settings code as the program runs it) sits in a program
# folder of the prefix; the registry is read back with `wine reg query` and the
# folders are looked at on disk.
set -u
. "$TESSALY_SOURCE/scripts/winebed.sh"
. "$TESSALY_SOURCE/scripts/layout.sh"
winebed_start || exit 1

failures=0
pass() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
expect_eq() {  # what expected actual
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

settings_key='HKCU\Software\Brenmoor Software Corp\Tessaly'
install_key='HKLM\Software\Brenmoor Software Corp\Vantor\Settings'
program_unix="$WINEPREFIX/drive_c/Program Files/Tessaly"
program_win='C:\Program Files\Tessaly'

mkdir -p "$program_unix"
cp "$TESSALY_TESTS/settings_probe_test.exe" "$program_unix/Tessaly.exe" || exit 1

# settings_probe MODE: runs the program from its folder, prints name=value lines.
settings_probe() {
  TESSALY_SETTINGS_PROBE=$1 winebed_wine "$program_win\\Tessaly.exe" \
    --gtest_filter=SettingsProbe.* 2>/dev/null | tr -d '\r'
}
field() { sed -n "s/^$1=//p" <<<"$2" | head -n 1; }
# The default of the persisted number NAME.
field_of() { awk -v n="$1" '$1 == n { print $2 }' <<<"$TESSALY_SETTING_DEFAULTS"; }
# The values under the settings key: "name type data" per line.
reg_values() {
  timeout 60 wine reg query "$settings_key" 2>/dev/null | tr -d '\r' |
    awk '$2 ~ /^REG_/ { name=$1; type=$2; $1=""; $2=""; sub(/^ +/, ""); print name, type, $0 }'
}

# 1. A fresh prefix: defaults, both folders made, no value written.
out=$(settings_probe load)
expect_eq "install folder is the program's folder" "$program_win\\" "$(field install "$out")"
expect_eq "default saveDir" "$program_win\\Recovery" "$(field saveDir "$out")"
expect_eq "reportPath" "$program_win\\Tests\\QUICKCHK.RPT" "$(field reportPath "$out")"
expected="numbers"
while read -r name def; do expected+=" $name=$def"; done <<<"$TESSALY_SETTING_DEFAULTS"
expect_eq "default settings" "$expected" "$(grep '^numbers ' <<<"$out")"
[ -d "$program_unix/Recovery" ] && pass "Recovery made" || fail "Recovery not made"
[ -d "$program_unix/Tests" ] && pass "Tests made" || fail "Tests not made"
[ ! -e "$program_unix/Tests/QUICKCHK.RPT" ] && pass "no report yet" || fail "report file made by load"
expect_eq "load writes no value" "" "$(reg_values)"

# 2. Save: every persisted setting with its type, and the defaults.
settings_probe save >/dev/null
expect_eq "saved names and types" "$(sort <<<"$TESSALY_SETTINGS")" \
  "$(reg_values | awk '{ print $1, $2 }' | sort)"
# The numbers at their defaults, the folder at the default folder.
expected=$(while read -r name type; do
  if [ "$type" = REG_DWORD ]; then
    printf '%s REG_DWORD 0x%x\n' "$name" "$(field_of "$name")"
  else
    printf '%s REG_SZ %s\n' "$name" "$program_win\\Recovery"
  fi
done <<<"$TESSALY_SETTINGS")
expect_eq "saved values" "$(sort <<<"$expected")" "$(reg_values | sort)"

# 3. A changed value survives the next load; an unchanged load then save
#    rewrites it as it is.
timeout 60 wine reg add "$settings_key" /v Idle /t REG_DWORD /d 4 /f >/dev/null 2>&1
out=$(settings_probe save)
expect_eq "stored Idle loaded" " Idle=4" "$(grep -o ' Idle=[0-9-]*' <<<"$out")"
expect_eq "Idle kept by save" "Idle REG_DWORD 0x4" "$(reg_values | grep '^Idle ')"

# 4. The install folder from the machine key, with and without a trailing
#    backslash: the same derived paths.
mkdir -p "$WINEPREFIX/drive_c/Vantor"
results=()
for dir in 'C:\Vantor' 'C:\Vantor\'; do
  timeout 60 wine reg delete "$settings_key" /f >/dev/null 2>&1
  timeout 60 wine reg add "$install_key" /v Directory /t REG_SZ /d "$dir" /f >/dev/null 2>&1
  stored=$(timeout 60 wine reg query "$install_key" /v Directory 2>/dev/null | tr -d '\r' |
    awk '$1 == "Directory" { print $3 }')
  expect_eq "Directory stored as [$dir]" "$dir" "$stored"
  out=$(settings_probe load)
  expect_eq "install folder from Directory [$dir]" "$dir" "$(field install "$out")"
  results+=("$(field saveDir "$out")|$(field reportPath "$out")")
done
expect_eq "paths without trailing backslash" 'C:\Vantor\Recovery|C:\Vantor\Tests\QUICKCHK.RPT' "${results[0]}"
expect_eq "same paths with trailing backslash" "${results[0]}" "${results[1]}"
[ -d "$WINEPREFIX/drive_c/Vantor/Recovery" ] && pass "Vantor Recovery made" || fail "Vantor Recovery not made"
[ -d "$WINEPREFIX/drive_c/Vantor/Tests" ] && pass "Vantor Tests made" || fail "Vantor Tests not made"

# 5. A Directory naming a missing folder falls back to the program's folder.
timeout 60 wine reg add "$install_key" /v Directory /t REG_SZ /d 'C:\Gone' /f >/dev/null 2>&1
out=$(settings_probe load)
expect_eq "missing Directory folder falls back" "$program_win\\" "$(field install "$out")"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
