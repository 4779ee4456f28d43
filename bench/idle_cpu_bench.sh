#!/usr/bin/env bash
# CPU while idle, under Wine: the CPU time of Tessaly's process over
# BENCH_IDLE_SECONDS (default 300) after start-up, against BenchMinimal.exe
# (one hidden window, one 60-second timer) measured over the same time window.
#
# Each program runs in a prefix of its own, started from the same template on
# the same display, so that each prefix's wineserver serves one program and
# its CPU time can be told apart too. Both prefixes have their services up
# before the programs start. Measuring begins BENCH_IDLE_SETTLE seconds
# (default 5) after both main windows exist, when Tessaly's splash and
# start-up ticks are over. CPU time is the scheduler's run time of all the
# process's threads (/proc/PID/task/*/schedstat); wake-ups are their
# voluntary context switches.
#
# Then Tessaly runs once more for BENCH_TIMER_TRACE_SECONDS (default 70, one
# idle poll) with Wine's message trace, which logs every timer set and every
# WM_TIMER delivered: the timers it sets are listed against the three it
# needs (1: 60000 ms idle poll, 2: 3000 ms splash, 3: 100 ms start-up ticks).
. "$TESSALY_SOURCE/bench/bench_lib.sh"

seconds=${BENCH_IDLE_SECONDS:-300}
settle=${BENCH_IDLE_SETTLE:-5}
trace_seconds=${BENCH_TIMER_TRACE_SECONDS:-70}
PROBE=$TESSALY_TESTS/TessalyProbe.exe
MINIMAL_TITLE="Tessaly Bench Minimal"

export WINEBED_OWN_DISPLAY=1 WINEBED_NO_TRAP=1
winebed_start || exit 1
prefix_t=$WINEPREFIX
prefix_m=$(mktemp -d /tmp/tessaly-bench.XXXXXX)
trace=$(mktemp /tmp/tessaly-bench-trace.XXXXXX)
cleanup() {
  WINEPREFIX=$prefix_m winebed_end_processes
  rm -rf "$prefix_m" "$trace"
  winebed_cleanup
}
trap cleanup EXIT
cp -a "$WINEBED_TEMPLATE/." "$prefix_m/"
rm -f "$prefix_m/.ready"

# with_prefix PREFIX COMMAND...: runs the command with that prefix.
with_prefix() { WINEPREFIX=$1 "${@:2}"; }
probe_in() { with_prefix "$1" timeout 90 wine "$PROBE" "${@:2}" 2>/dev/null | tr -d '\r'; }

for prefix in "$prefix_t" "$prefix_m"; do
  with_prefix "$prefix" winebed_virtual_desktop
  probe_in "$prefix" version >/dev/null  # the prefix's desktop and services
done
tessaly_layout "$TESSALY_BIN"

limit=$((seconds + settle + 300))
TESSALY_TIMEOUT=$limit tessaly_start
(cd "$BENCH_BIN" && WINEPREFIX=$prefix_m exec timeout "$limit" wine BenchMinimal.exe) \
  >/dev/null 2>&1 &
probe_in "$prefix_t" wait-window "$MAIN_TITLE" 60 | grep -q present || {
  echo "Tessaly's main window never came" >&2; exit 1; }
probe_in "$prefix_m" wait-window "$MINIMAL_TITLE" 60 | grep -q present || {
  echo "the minimal program's window never came" >&2; exit 1; }
sleep "$settle"

pid_t=$(prefix_program_pid "$prefix_t" Tessaly.exe)
pid_m=$(prefix_program_pid "$prefix_m" BenchMinimal.exe)
server_t=$(prefix_wineserver_pid "$prefix_t")
server_m=$(prefix_wineserver_pid "$prefix_m")
if [ -z "$pid_t" ] || [ -z "$pid_m" ] || [ -z "$server_t" ] || [ -z "$server_m" ]; then
  echo "processes not found: Tessaly [$pid_t] minimal [$pid_m]" \
    "wineservers [$server_t] [$server_m]" >&2
  exit 1
fi

# sample: CPU ns and wake-ups of both programs, CPU ns of both wineservers.
sample() {
  echo "$(task_cpu_ns "$pid_t") $(task_cpu_ns "$pid_m") $(task_wakeups "$pid_t")" \
    "$(task_wakeups "$pid_m") $(task_cpu_ns "$server_t") $(task_cpu_ns "$server_m")"
}
read -r c0_t c0_m w0_t w0_m s0_t s0_m <<<"$(sample)"
echo "measuring $seconds s of idle (Tessaly pid $pid_t, minimal pid $pid_m)" >&2
sleep "$seconds"
read -r c1_t c1_m w1_t w1_m s1_t s1_m <<<"$(sample)"
for pid in "$pid_t" "$pid_m"; do
  kill -0 "$pid" 2>/dev/null || { echo "process $pid ended during the measurement" >&2; exit 1; }
done

ms() { awk -v n="$1" 'BEGIN { printf "%.1f", n / 1e6 }'; }
cpu_t=$((c1_t - c0_t)) cpu_m=$((c1_m - c0_m))
wake_t=$((w1_t - w0_t)) wake_m=$((w1_m - w0_m))
server_cpu_t=$((s1_t - s0_t)) server_cpu_m=$((s1_m - s0_m))
echo "idle CPU: Tessaly $(ms $cpu_t) ms, minimal $(ms $cpu_m) ms; wake-ups $wake_t / $wake_m;" \
  "wineservers $(ms $server_cpu_t) / $(ms $server_cpu_m) ms" >&2

# Both at 0 (no run time at all in the window) count as equal.
idle_ratio() { if [ "$1" = 0 ] && [ "$2" = 0 ]; then echo 1.00; else bench_ratio "$1" "$2"; fi; }
bench_row "CPU while idle ${seconds}s (Wine) vs minimal" \
  "$(idle_ratio $cpu_t $cpu_m)x ($(ms $cpu_t) ms / $(ms $cpu_m) ms; wake-ups $wake_t / $wake_m)" \
  "<= 1.10x"
bench_row "  wineserver CPU for each, same window" \
  "$(idle_ratio $server_cpu_t $server_cpu_m)x ($(ms $server_cpu_t) ms / $(ms $server_cpu_m) ms)" \
  "(information)"

# The timer trace: a new run of Tessaly alone with the message trace on.
probe_in "$prefix_t" post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_UNLOAD 0 >/dev/null
probe_in "$prefix_t" wait-gone "$MAIN_TITLE" 30 >/dev/null
wait "$TESSALY_PID" 2>/dev/null
WINEDEBUG=+pid,+msg TESSALY_LOG=$trace TESSALY_TIMEOUT=$((trace_seconds + 60)) tessaly_start
sleep "$trace_seconds"
probe_in "$prefix_t" post "$MAIN_TITLE" $WM_COMMAND $ID_TRAY_UNLOAD 0 >/dev/null
probe_in "$prefix_t" wait-gone "$MAIN_TITLE" 30 >/dev/null
wait "$TESSALY_PID" 2>/dev/null

# The process that set the 60-second idle timer is Tessaly; its timers, by
# id, with period and the WM_TIMER messages delivered in the trace.
timers=$(awk -F: '
  /NtUserSetTimer Added/ {
    n = split($0, w, " "); id = w[n - 3]; period = w[n]
    if (period == 60000 && !program) program = $1
    added[$1 " " id] = period
  }
  /\(WM_TIMER\) hwnd/ { n = split($0, w, " "); ticks[$1 " " w[n - 2]]++ }
  END {
    for (key in added) {
      split(key, k, " ")
      if (k[1] == program) printf "%s %s %d\n", k[2], added[key], ticks[key]
    }
  }' "$trace" | sort -n)
echo "timers in Tessaly's process over ${trace_seconds}s (id period deliveries):" >&2
echo "$timers" >&2
[ -n "$timers" ] || { echo "no timers in the trace" >&2; exit 1; }
# The messages Tessaly's thread took from its queue once the splash had
# ended: every wake-up that a message caused.
after=$(awk -F: '
  /NtUserSetTimer Added/ && / timeout 60000$/ && !program { program = $1 }
  $1 != program || !/peek_message got type/ { next }
  settled { if (match($0, /\([A-Z_]+\)/)) count[substr($0, RSTART + 1, RLENGTH - 2)]++ }
  /\(WM_TIMER\) hwnd .* wp 2 / { settled = 1 }
  END { for (name in count) { printf "%s%s x%d", sep, name, count[name]; sep = ", " } }' "$trace")
echo "messages after the splash: ${after:-none}" >&2
listed=$(awk '{ printf "%s%s: %s ms x%d", sep, $1, $2, $3; sep = ", " }' <<<"$timers")
extra=$(awk '!(($1 == 1 && $2 == 60000) || ($1 == 2 && $2 == 3000) || ($1 == 3 && $2 == 100)) {
  printf "%s%s (%s ms)", sep, $1, $2; sep = ", " }' <<<"$timers")
bench_row "Tessaly timers, ${trace_seconds}s traced" \
  "$listed; other: ${extra:-none}; messages after splash: ${after:-none}" \
  "1 (60 s), 2 (3 s), 3 (0.1 s) only"
