#!/usr/bin/env bash
# Tessaly starts under Windows 95 with its main window hidden, and "-display"
# shows it at the size of its picture; unloading ends the process.
. "$(dirname "$0")/lib.sh"
e2e_begin

check "starts with -nosplash" start_tessaly -nosplash
sleep 1
check "main window hidden at start" probe wait-visible "$MAIN_TITLE" 0 30
check "unload ends the process" stop_tessaly

check "starts with -display" start_tessaly -display -nosplash
check "shown with -display" probe wait-visible "$MAIN_TITLE" 1 30
state=$(probe window "$MAIN_TITLE")
metrics=$(probe metrics)
cx=$(sed -E 's/.*cxdlgframe=([0-9]+).*/\1/' <<<"$metrics")
cy=$(sed -E 's/.*cydlgframe=([0-9]+).*/\1/' <<<"$metrics")
cs=$(sed -E 's/.*cysize=([0-9]+).*/\1/' <<<"$metrics")
expect_eq "window width" "$(sed -E 's/.* cx=([0-9]+).*/\1/' <<<"$state")" $((292 + 2 * cx))
expect_eq "window height" "$(sed -E 's/.* cy=([0-9]+).*/\1/' <<<"$state")" $((347 + cs + 2 * cy))
check "unload ends the process" stop_tessaly
e2e_end
