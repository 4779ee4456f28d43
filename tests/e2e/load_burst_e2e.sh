#!/usr/bin/env bash
# Load: 10,000 messages posted in one burst to the running program (tray
# callbacks, check-box clicks, kMsgStampLastRun, kMsgQuickCheckStatus and "&Backup System Files Now"),
# every question box answered No as it comes. Afterwards the program must be
# alive and answering, its registry values whole and matching its check
# boxes, its windows and GDI objects as many as before, no action nested and
# no backup written.
#
# The right-button callbacks open the tray menu, whose tracking loop holds the
# program's thread until the menu closes. They are kept out of the big burst
# and sent in a run of their own, each followed by WM_CANCELMODE, which the
# menu's loop takes next and which ends the menu; so every menu is closed by
# its own message, whatever else is open. LoadProbe's answer loop also closes
# any menu still open once a burst is in.
#
# GetGuiResources is a stub under Wine (it answers 0): the program's USER
# objects are counted as its windows, found by enumeration, and its GDI
# objects in the GDI handle table of its process (LoadProbe census), both
# after a first, smaller burst has made what is made once and kept.
. "$(dirname "$0")/lib.sh"
LOAD=$TESSALY_TESTS/LoadProbe.exe
COUNT=${LOAD_BURST_COUNT:-10000}
SEED=${LOAD_BURST_SEED:-$(date +%s)}
load() { timeout 150 wine "$LOAD" "$@" 2>/dev/null | tr -d '\r'; }
field() { sed -n "s/^$1[ =]//p" <<<"$2" | head -n 1; }
e2e_begin

check "starts with -nosplash" start_tessaly -nosplash
probe wait-visible "$MAIN_TITLE" 0 30 >/dev/null
sleep 1
started=$(date +%s)
echo "started (at ${SECONDS}s)"

# burst_and_answer COUNT SEED MIX: the burst, with its boxes answered; sets
# $burst and $answer. Every burst must be taken within LoadProbe's deadline
# of 120 s: a generous bound on correctness, far beyond what a burst needs.
burst_and_answer() {
  burst=$(load burst "$MAIN_TITLE" "$1" "$2" "$3")
  echo "$burst" | tr '\n' ' '
  echo
  answer=$(load answer "$MAIN_TITLE" "$(field marker "$burst")" 120)
  echo "$answer" | tr '\n' ' '
  echo "(at ${SECONDS}s)"
}
# A first, smaller burst of the same mix: what the program makes once and
# keeps (the window shown and painted, the question box's and the menu's
# resources, Wine's caches) is made before the counting starts.
echo "warm-up burst"
burst_and_answer 1000 "$((SEED + 1))" no-menus
check "warm-up burst taken and every box answered" grep -q '^boxes ' <<<"$answer"
echo "tray menus: 20 right-button callbacks, each closed"
burst_and_answer 40 "$SEED" menus-only
check "menu burst taken" grep -q '^boxes ' <<<"$answer"
expect_eq "every menu closed by its WM_CANCELMODE" "$(field menus-closed "$answer")" 0
check "at most one menu open at a time" test "$(field max-open-menus "$answer")" -le 1
before=$(load census "$MAIN_TITLE")
echo "before: $before"
check "census before the burst" grep -q '^windows=[0-9]' <<<"$before"

echo "burst of $COUNT messages, seed $SEED"
burst_and_answer "$COUNT" "$SEED" no-menus
expect_eq "messages posted" "$(field posted "$burst")" "$COUNT"
check "burst taken and every box answered" grep -q '^boxes ' <<<"$answer"

# Alive and answering.
check "process alive" kill -0 "$TESSALY_PID"
check "window answers a sent message" probe send "$MAIN_TITLE" 0 0 0

# No action nested: one question box at a time, none left, no backup made.
expect_eq "at most one question box open at a time" \
  "$(awk '$2 <= 1 { print "yes" }' <<<"$(grep '^max-open-boxes' <<<"$answer")")" yes
check "backup commands asked (the guard turns the rest away)" awk '$2 >= 1 { ok = 1 } END { exit !ok }' \
  <<<"$(grep '^boxes' <<<"$answer")"
expect_eq "no cabinet written (every backup declined)" \
  "$(find "$TESSALY_DIR/Recovery" -iname '*.cab' | wc -l)" 0
log_ini=$WINEPREFIX/drive_c/windows/Tessaly.ini
logged=0
[ -f "$log_ini" ] && logged=$(grep -ci 'SaveFiles' "$log_ini")
expect_eq "no backup logged" "$logged" 0

# Registry: every persisted setting with its type; the flag boxes' values as
# the boxes show them and as the burst left them.
reg_type() { reg_value "$SETTINGS_KEY" "$1" | awk '{ print $1 }'; }
reg_dword() { printf '%d' "$(reg_value "$SETTINGS_KEY" "$1" | awk '{ print $2 }')"; }
while read -r name type <&3; do
  expect_eq "$name is a $type" "$(reg_type "$name")" "$type"
done 3<<<"$TESSALY_SETTINGS"
expect_eq "SaveDir names the backup folder" \
  "$(reg_value "$SETTINGS_KEY" SaveDir | cut -d' ' -f2-)" "$TESSALY_INSTALL_DIR\\Recovery"
expected=$(field expect "$burst")
while read -r name id <&3; do
  box=$(probe control "$MAIN_TITLE" "$id" | sed -E 's/.* checked=([0-9]+).*/\1/')
  expect_eq "$name matches box $id" "$(reg_dword "$name")" "$box"
  expect_eq "box $id as the burst left it" "$box" "$(sed -E "s/.*$id=([01]).*/\1/" <<<"$expected")"
done 3<<<"$TESSALY_FLAG_BOXES"
expect_eq "Disabled matches box $IDC_DISABLE" "$(reg_dword Disabled)" \
  "$(probe control "$MAIN_TITLE" $IDC_DISABLE | sed -E 's/.* checked=([0-9]+).*/\1/')"
expect_eq "Idle untouched" "$(reg_dword Idle)" \
  "$(awk '$1 == "Idle" { print $2 }' <<<"$TESSALY_SETTING_DEFAULTS")"
last=$(reg_dword LastTime)
check "LastTime stamped during the burst" test "$last" -ge "$started" -a "$last" -le "$(date +%s)"

# Objects: as many windows and GDI objects as before the burst.
after=$(load census "$MAIN_TITLE")
echo "after: $after"
expect_eq "windows unchanged" "$(sed -E 's/.*windows=([0-9a-z]+).*/\1/' <<<"$after")" \
  "$(sed -E 's/.*windows=([0-9a-z]+).*/\1/' <<<"$before")"
# A leak in any handler would add an object per message of its kind, that
# is hundreds; Wine itself makes a few more objects lazily now and then.
gdi_before=$(sed -E 's/.* gdi=([0-9a-z]+).*/\1/' <<<"$before")
gdi_after=$(sed -E 's/.* gdi=([0-9a-z]+).*/\1/' <<<"$after")
check "GDI objects counted" test "$gdi_before" != unknown -a "$gdi_after" != unknown
check "GDI objects unchanged (within 16, after $COUNT messages)" \
  test "$gdi_after" -le $((gdi_before + 16)) -a "$gdi_after" -ge $((gdi_before - 16))
expect_eq "GetGuiResources unchanged" "$(grep -o 'guiresources.*' <<<"$after")" \
  "$(grep -o 'guiresources.*' <<<"$before")"

check "unload ends the process" stop_tessaly
e2e_end
