#!/usr/bin/env bash
# The run command: installs what is missing, builds the Win32 deliverables and
# starts Tessaly under Wine set to Windows 95.
#
# The prefix is build/run-prefix (made once, then reused). Tessaly is
# installed in its C:\Vantor beside the Vantor.Exe stand-in, with the Help,
# Recovery and Tests folders, and the machine-wide install key names that
# folder. Tessaly then starts with its splash window and tray icon inside a
# Wine desktop with a taskbar, on the current display.
#
# With no DISPLAY a virtual one (Xvfb) is used: the run saves screenshots of
# the splash and of the main window in build/screenshots/ and unloads the
# program after RUN_SECONDS (default 20). With a display it runs until you
# choose "Unload" (or RUN_SECONDS, when set).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

headless=0
[ -z "${DISPLAY:-}" ] && headless=1

. scripts/winebed.sh
. scripts/layout.sh
WINEBED_PREFIX=$PWD/build/run-prefix
winebed_start
winebed_virtual_desktop 1024x768
tessaly_layout build/win32/bin
echo "Prefix: $WINEPREFIX  Display: $DISPLAY  Installed in: $TESSALY_INSTALL_DIR"

# The test driver, from the test programs' folder; it finds Pellix.dll in
# the build's.
TESSALY_TESTS=build/win32/testbin
WINEPATH=$(winebed_winpath build/win32/bin)
export WINEPATH
shoot() {
  mkdir -p build/screenshots
  import -display "$DISPLAY" -window root "build/screenshots/$1.png" && echo "Saved build/screenshots/$1.png"
}

# The splash lives three seconds: one probe, started first, watches for it,
# and the screenshot is taken once the watcher has seen it drawn.
[ "$headless" = 1 ] && watch_splash
TESSALY_LOG=build/run-tessaly.log tessaly_start
if [ "$headless" = 0 ] && [ -z "${RUN_SECONDS:-}" ]; then
  echo "Tessaly runs; open it from its tray icon, and choose Unload to end it."
  wait "$TESSALY_PID" || true
  exit 0
fi

seconds=${RUN_SECONDS:-20}
probe wait-window "$MAIN_TITLE" 60 >/dev/null || true
if [ "$headless" = 1 ]; then
  splash_watched '^hwnd=' 120 >/dev/null && splash_drawn 5 && shoot splash
  splash_watched '^ended' 30 >/dev/null || true
  probe send "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_SHOW 0 >/dev/null || true  # "&Show Tessaly"
  probe wait-visible "$MAIN_TITLE" 1 30 >/dev/null || true
  sleep 1
  shoot main-window
fi
sleep "$seconds"
probe post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_UNLOAD 0 >/dev/null || true  # "&Unload Vantor Tessaly"
wait "$TESSALY_PID" || true
