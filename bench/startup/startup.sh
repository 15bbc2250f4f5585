#!/usr/bin/env bash
# The program's start-up beside a bare Qt window of the same size, on a virtual X display:
# the time from starting the process until its window is mapped, the resident memory once it has
# come to rest, and the CPU time it takes while idle (monitoring, no connection up).
# The time is taken by bench_map_wait from the X server's own map events, so nothing polls the
# server or takes a core while a program starts. The bare window and the program take turns, so
# both see the same state of the machine; each figure is the median of its runs.
# Usage: bench/startup/startup.sh [build folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${2:-9}
cmake --build "$build" --target minutrix bench_bare_window >/dev/null
cmake --build "$build" --target bench_map_wait >/dev/null 2>&1 \
  || { echo "bench_map_wait is not built: it needs libxcb1-dev (scripts/setup.sh --tests)" >&2; exit 1; }
map_wait=$build/bench/startup/bench_map_wait

display=:${MINUTRIX_XVFB_DISPLAY:-97}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
# The server is waited for, so that a run right after this one finds the display free.
trap '{ kill $xvfb && wait $xvfb; } 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# A program folder past its first start: the wizard, ended by a signal, saves the settings.
cp "$build/app/minutrix" "$work/minutrix"
"$work/minutrix" & pid=$!
for _ in $(seq 100); do [[ -d $work/Data ]] && break; sleep 0.1; done
sleep 0.5
kill -TERM $pid
wait $pid || true
[[ -f $work/Settings.dat ]] || { echo "no Settings.dat after the first start" >&2; exit 1; }

rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
# CPU time of every thread of the process, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {print s}'; }
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
# Ends a program that bench_map_wait started. It is not this shell's child, so it is waited for
# until it is gone or left as a zombie for whoever reaps it now.
end_program() {
  kill -TERM "$1" 2>/dev/null || return 0
  while [[ -e /proc/$1 ]] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null; do sleep 0.05; done
}

# One start of a program: its milliseconds until mapped, and its resident memory a second later.
start_once() {   # program; prints: ms KiB
  local ms pid kib
  read -r ms pid < <("$map_wait" Minutrix "$1")
  sleep 1
  kib=$(rss_kib "$pid")
  end_program "$pid"
  echo "$ms $kib"
}

start_once "$build/bench/startup/bench_bare_window" >/dev/null   # the libraries into the page cache
start_once "$work/minutrix" >/dev/null
bare_ms=() bare_kib=() prog_ms=() prog_kib=()
for _ in $(seq "$runs"); do
  read -r ms kib < <(start_once "$build/bench/startup/bench_bare_window")
  bare_ms+=("$ms") bare_kib+=("$kib")
  read -r ms kib < <(start_once "$work/minutrix")
  prog_ms+=("$ms") prog_kib+=("$kib")
done
med() { printf '%s\n' "$@" | median; }
echo "bare Qt window ms: ${bare_ms[*]}" >&2
echo "Minutrix ms:       ${prog_ms[*]}" >&2

# Idle: the program left running with no connection, its monitoring timers ticking.
read -r _ pid < <("$map_wait" Minutrix "$work/minutrix")
sleep 2
idle_s=${MINUTRIX_IDLE_SECONDS:-20}
before=$(cpu_ns "$pid")
sleep "$idle_s"
after=$(cpu_ns "$pid")
end_program "$pid"

awk -v bm="$(med "${bare_ms[@]}")" -v pm="$(med "${prog_ms[@]}")" -v bk="$(med "${bare_kib[@]}")" \
  -v pk="$(med "${prog_kib[@]}")" -v cpu=$((after - before)) -v s="$idle_s" -v runs="$runs" 'BEGIN {
  printf "start-up until mapped (median of %d): bare Qt window %.1f ms, Minutrix %.1f ms, ratio %.2f (target <= 1.30)\n", runs, bm, pm, pm / bm
  printf "resident memory after start-up:       bare Qt window %.1f MiB, Minutrix %.1f MiB, ratio %.2f (target <= 1.30)\n", bk / 1024, pk / 1024, pk / bk
  printf "idle CPU while monitoring (%d s):       %.3f ms per second (target < 1)\n", s, cpu / 1e6 / s
}'
