# Shared by the Wine benchmarks (bench/*_bench.sh): source it first.
# scripts/bench.sh runs each script with
#   TESSALY_SOURCE  the repository
#   TESSALY_BIN     the Win32 build's bin folder (Tessaly.exe, Pellix.dll, ...)
#   BENCH_BIN       the Win32 build's benchbin folder (BenchMinimal.exe, ...)
#
#   bench_row NAME FIGURE GOAL    one summary row for the table
#   bench_ratio A B               A / B with two decimals ("n/a" when B is 0)
#   bench_median V...             the median of the numbers
#   prefix_pids PREFIX            the Linux processes of a Wine prefix
#   task_cpu_ns PID               CPU time of all the process's threads, in ns
#   task_wakeups PID              voluntary context switches of all its threads
set -u
export WINEBED_OWN_DISPLAY=1  # a private Xvfb: no window of ours on the user's screen
. "$TESSALY_SOURCE/scripts/winebed.sh"
. "$TESSALY_SOURCE/scripts/layout.sh"

bench_row() {
  printf 'bench-row: %s | %s | %s\n' "$1" "$2" "$3"
}

bench_ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'
}

bench_median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 }
    END { if (NR == 0) print 0; else if (NR % 2) print v[(NR + 1) / 2];
          else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Every process whose environment names the prefix: the Windows programs,
# the prefix's own services and its wineserver.
prefix_pids() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    tr "\0" "\n" 2>/dev/null <"$environ" | grep -qx "WINEPREFIX=$1" && echo "$pid"
  done
}

# The process of the prefix running the Windows program NAME (e.g.
# Tessaly.exe), found by its command line; empty when none.
prefix_program_pid() {
  local pid
  for pid in $(prefix_pids "$1"); do
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qi "$2" || continue
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = timeout ] && continue
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q '^/.*bin/wine ' && continue
    echo "$pid"
    return 0
  done
}

prefix_wineserver_pid() {
  local pid
  for pid in $(prefix_pids "$1"); do
    case $(cat "/proc/$pid/comm" 2>/dev/null) in wineserver*) ;; *) continue ;; esac
    echo "$pid"
    return 0
  done
}

# Scheduler run time (ns) summed over the threads that exist now; from the
# clock ticks of /proc/PID/stat where the kernel keeps no schedstat.
task_cpu_ns() {
  if [ -r "/proc/$1/schedstat" ]; then
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'
  else
    awk -v hz="$(getconf CLK_TCK)" '{ sub(/.*\) /, ""); printf "%.0f", ($12 + $13) * 1e9 / hz }' \
      "/proc/$1/stat"
  fi
}

task_wakeups() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'
}
