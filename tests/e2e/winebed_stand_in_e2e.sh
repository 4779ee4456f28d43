#!/usr/bin/env bash
# The test bed's template prefix: only a boot that ended by itself, with the
# reported Windows version stored, becomes the template that every test
# copies. A boot cut off by its time limit leaves a registry behind, and a
# template made from it would fail tests at random. Wine is played here by
# small stand-ins, each told how to behave.
set -u
. "$TESSALY_SOURCE/scripts/winebed.sh"

passes=0 failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
    passes=$((passes + 1))
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# wineboot writes the machine registry and ends with BOOT_RESULT (124 is
# what timeout returns when it cuts a command off); wine stores the version
# in the user registry unless REG_RESULT says it fails.
cat >"$work/bin/wineboot" <<'STAND_IN'
#!/bin/sh
echo "WINE REGISTRY Version 2" >"$WINEPREFIX/system.reg"
exit "${BOOT_RESULT:-0}"
STAND_IN
cat >"$work/bin/wine" <<'STAND_IN'
#!/bin/sh
[ "$1" = --version ] && { echo wine-stand-in; exit 0; }
[ "${REG_RESULT:-0}" = 0 ] || exit "$REG_RESULT"
printf '[Software\\\\Wine]\n"Version"="%s"\n' "$7" >>"$WINEPREFIX/user.reg"
STAND_IN
printf '#!/bin/sh\nexit 0\n' >"$work/bin/wineserver"
chmod +x "$work/bin/"*
PATH=$work/bin:$PATH

# made NAME: a template booted in a cache of its own became the template.
made() {
  WINEBED_CACHE=$work/$1 winebed_template 2>/dev/null && [ -f "$WINEBED_TEMPLATE/.ready" ]
}
refused() { ! made "$1" && ! ls "$work/$1"/*/.ready >/dev/null 2>&1; }

check "a boot that ends by itself makes the template" made good
BOOT_RESULT=124 check "a boot cut off by its time limit makes none" refused cut-off
REG_RESULT=1 check "a boot whose version cannot be stored makes none" refused no-version

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
