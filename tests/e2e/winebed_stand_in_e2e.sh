#!/usr/bin/env bash
# The test bed against stand-ins for Wine, each told how to behave:
#   - only a boot that ended by itself, with the reported Windows version
#     stored, becomes the template prefix that every test copies (a boot cut
#     off by its time limit leaves a registry behind, and a template made
#     from it would fail tests at random);
#   - the runner of the Win32 unit tests returns when the program ends, with
#     its output and exit code, although the services started with the
#     prefix keep the program's output open and outlive it.
set -u
. "$TESSALY_SOURCE/tests/e2e/lib.sh"  # check, expect_eq, e2e_end and the test bed

work=$(mktemp -d)
export SERVICES=$work/services  # the stand-in services' process ids
trap '[ -f "$SERVICES" ] && xargs kill <"$SERVICES" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/bin"
# wineboot writes the machine and user registries and ends with BOOT_RESULT
# (124 is what timeout returns when it cuts a command off); with
# USER_REG_LOCKED=1 the user registry is left a folder, where the reported
# version cannot be stored. wine runs a program as a line of output and exit
# code 3, leaving behind a "service" that holds the output until
# wineserver -k ends it.
cat >"$work/bin/wineboot" <<'STAND_IN'
#!/bin/sh
echo "WINE REGISTRY Version 2" >"$WINEPREFIX/system.reg"
if [ "${USER_REG_LOCKED:-0}" = 1 ]; then
  mkdir "$WINEPREFIX/user.reg"
else
  echo "WINE REGISTRY Version 2" >"$WINEPREFIX/user.reg"
fi
exit "${BOOT_RESULT:-0}"
STAND_IN
cat >"$work/bin/wine" <<'STAND_IN'
#!/bin/sh
[ "$1" = --version ] && { echo wine-stand-in; exit 0; }
sleep 1000 &
echo $! >>"$SERVICES"
printf 'output of %s\r\n' "$1"
exit 3
STAND_IN
cat >"$work/bin/wineserver" <<'STAND_IN'
#!/bin/sh
[ "$1" = -k ] && [ -f "$SERVICES" ] && xargs kill <"$SERVICES" 2>/dev/null
exit 0
STAND_IN
chmod +x "$work/bin/"*
PATH=$work/bin:$PATH

# made NAME: a template booted in a cache of its own became the template.
made() {
  WINEBED_CACHE=$work/$1 winebed_template 2>/dev/null && [ -f "$WINEBED_TEMPLATE/.ready" ]
}
refused() { ! made "$1" && ! ls "$work/$1"/*/.ready >/dev/null 2>&1; }

check "a boot that ends by itself makes the template" made good
BOOT_RESULT=124 check "a boot cut off by its time limit makes none" refused cut-off
USER_REG_LOCKED=1 check "a boot whose version cannot be stored makes none" refused no-version

# The runner, given a minute where it needs a second: its output and exit
# code are the program's, and the service it left is gone.
run_result=$(
  WINEBED_CACHE=$work/run DISPLAY=:0 timeout 60 "$TESSALY_SOURCE/scripts/wine-run.sh" probe.exe \
    >"$work/run.out" 2>/dev/null
  echo $?
)
check "the runner returns the program's exit code ($run_result)" test "$run_result" = 3
check "the runner prints the program's output" grep -qx "output of probe.exe" "$work/run.out"

e2e_end
