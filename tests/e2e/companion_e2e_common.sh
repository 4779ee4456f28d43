# Shared by the companion end-to-end scripts: source it after the
# environment checks. It starts a fresh Wine test bed with the build's bin
# folder on the DLL path and a private work folder ($work, deleted on exit),
# and gives check, probe and the failure count.

. "$TESSALY_SOURCE/scripts/winebed.sh"
winebed_start || exit 1
WINEPATH=$(winebed_winpath "$TESSALY_BIN")  # the probe binds the companion DLLs
export WINEPATH
PROBE=$TESSALY_TESTS/companion_probe.exe
work=$(mktemp -d /tmp/companion-e2e.XXXXXX)
trap 'winebed_cleanup; chmod -R u+w "$work"; rm -rf "$work"' EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}

# probe COMMAND ARGS...: the companion probe's output, without carriage returns.
probe() { winebed_wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }

# finish: the summary line and the exit status.
finish() {
  echo "$failures failed"
  [ "$failures" -eq 0 ]
}
