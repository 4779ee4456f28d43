# Shared by the companion end-to-end scripts: source it after the
# environment checks. On top of the end-to-end library (check, e2e_end) it
# starts a fresh Wine test bed with the build's bin folder on the DLL path and
# a private work folder ($work, deleted on exit), and gives companion_probe.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
winebed_start || exit 1
WINEPATH=$(winebed_winpath "$TESSALY_BIN")  # the probe binds the companion DLLs
export WINEPATH
work=$(mktemp -d /tmp/companion-e2e.XXXXXX)
trap 'winebed_cleanup; chmod -R u+w "$work"; rm -rf "$work"' EXIT

# companion_probe COMMAND ARGS...: the companion probe's output, without
# carriage returns.
companion_probe() {
  winebed_wine "$TESSALY_TESTS/companion_probe.exe" "$@" 2>/dev/null | tr -d '\r'
}
