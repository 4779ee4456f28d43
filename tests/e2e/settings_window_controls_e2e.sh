#!/usr/bin/env bash
# The main window's settings controls, driven from outside in a fresh
# Windows-95 prefix: each check box and the idle combo box changes its value
# under the per-user settings key, every change writes every persisted setting
# with its type, and a new start shows what was stored.
. "$(dirname "$0")/lib.sh"
e2e_begin

# The value of NAME under the settings key as "TYPE DATA".
setting() { reg_value "$SETTINGS_KEY" "$1"; }
# Waits (briefly) until NAME holds WANT, then records the comparison.
expect_setting() {
  wait_until 5 output_is "$2" setting "$1"
  expect_eq "$3" "$(setting "$1")" "$2"
}
box_checked() { probe control "$MAIN_TITLE" "$1" | sed -nE 's/.*checked=([0-9]+).*/\1/p'; }
combo_selected() { probe combo-items "$MAIN_TITLE" $IDC_IDLE | sed -nE 's/^selected=(-?[0-9]+).*/\1/p'; }

check "starts hidden" start_tessaly -nosplash
check "main window hidden" probe wait-visible "$MAIN_TITLE" 0 30
expect_eq "a start writes no setting" "$(setting Idle)$(setting SaveDir)$(setting Backup)" ""

# The default of the persisted number NAME.
default_of() { awk -v n="$1" '$1 == n { print $2 }' <<<"$TESSALY_SETTING_DEFAULTS"; }

# Check boxes: id and value name; in a fresh prefix each starts at the
# value's default.
boxes=(
  "$IDC_BACKUP Backup"
  "$IDC_QUICKCHECK QuickCheck"
  "$IDC_MAX_ONCE MaxOnce"
  "$IDC_DISABLE Disabled"
)
for row in "${boxes[@]}"; do
  read -r id name <<<"$row"
  initial=$(default_of "$name")
  expect_eq "box $id ticked as $name's default" "$(box_checked "$id")" "$initial"
  for state in $((1 - initial)) "$initial"; do
    probe check "$MAIN_TITLE" "$id" "$state" >/dev/null
    expect_setting "$name" "REG_DWORD 0x$state" "box $id set to $state stores $name"
  done
done

# Every save writes every persisted setting, with its type; the numbers are
# all back at their defaults.
while read -r name def; do
  expect_eq "$name at its default" "$(setting "$name")" "$(printf 'REG_DWORD 0x%x' "$def")"
done <<<"$TESSALY_SETTING_DEFAULTS"
expect_eq "SaveDir is the default folder, as text" "$(setting SaveDir)" 'REG_SZ C:\Vantor\Recovery'
while read -r name type <&3; do
  check "$name stored as $type" grep -q "^$type " <<<"$(setting "$name")"
done 3<<<"$TESSALY_SETTINGS"

# The combo box: the item index is the stored "Idle".
for index in 0 2 3 4 5 1; do
  probe combo "$MAIN_TITLE" $IDC_IDLE "$index" >/dev/null
  expect_setting Idle "REG_DWORD 0x$index" "combo item $index stores Idle"
done

# A selection change that leaves nothing selected changes nothing.
probe combo "$MAIN_TITLE" $IDC_IDLE -1 >/dev/null
expect_eq "no selection keeps Idle" "$(setting Idle)" "REG_DWORD 0x1"

# A mixed set of choices survives a new start.
probe combo "$MAIN_TITLE" $IDC_IDLE 4 >/dev/null
probe check "$MAIN_TITLE" $IDC_BACKUP 0 >/dev/null
probe check "$MAIN_TITLE" $IDC_MAX_ONCE 0 >/dev/null
expect_setting MaxOnce "REG_DWORD 0x0" "last change saved"
check "unload" stop_tessaly
check "starts again" start_tessaly -nosplash
expect_eq "combo shows the stored Idle" "$(combo_selected)" 4
expect_eq "backup box shows the stored 0" "$(box_checked $IDC_BACKUP)" 0
expect_eq "quick-check box shows the stored 1" "$(box_checked $IDC_QUICKCHECK)" 1
expect_eq "once-per-day box shows the stored 0" "$(box_checked $IDC_MAX_ONCE)" 0
expect_eq "disable box shows the stored 0" "$(box_checked $IDC_DISABLE)" 0
check "unload" stop_tessaly

# A stored "Idle" outside the six items shows "1 Hour", is kept as stored until
# the next change, and that change writes the index in use.
winebed_reg_set "$SETTINGS_KEY" Idle REG_DWORD 7
check "starts with Idle 7" start_tessaly -nosplash
expect_eq "Idle 7 shows item 1" "$(combo_selected)" 1
expect_eq "Idle 7 kept until a change" "$(setting Idle)" "REG_DWORD 0x7"
probe check "$MAIN_TITLE" $IDC_BACKUP 1 >/dev/null
expect_setting Idle "REG_DWORD 0x1" "the next save writes Idle 1"
check "unload" stop_tessaly
e2e_end
