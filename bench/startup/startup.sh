#!/usr/bin/env bash
# The program's start-up beside a bare Qt window of the same size, on a virtual X display:
# the time from starting the process until its window is mapped, the resident memory once it has
# come to rest, and the CPU time it takes while idle (monitoring, no connection up).
# Usage: bench/startup/startup.sh [build folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${2:-7}
cmake --build "$build" --target minutrix bench_bare_window >/dev/null

display=:${MINUTRIX_XVFB_DISPLAY:-97}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
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

now_ns() { date +%s%N; }
# Milliseconds from the start until a top-level window named "Minutrix" is viewable.
mapped_after() {
  local start=$1
  while ! xwininfo -root -children 2>/dev/null | grep -q '"Minutrix"'; do :; done
  while ! xwininfo -name Minutrix 2>/dev/null | grep -q 'IsViewable'; do :; done
  echo $((($(now_ns) - start) / 1000000))
}
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
# CPU time of every thread of the process, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {print s}'; }
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

measure() {   # name, program; prints: start-up ms, RSS KiB (medians)
  local name=$1 program=$2 times=() rsss=()
  for _ in $(seq "$runs"); do
    local start
    start=$(now_ns)
    "$program" & local pid=$!
    times+=("$(mapped_after "$start")")
    sleep 1
    rsss+=("$(rss_kib $pid)")
    kill -TERM $pid
    wait $pid 2>/dev/null || true
  done
  printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | median)" "$(printf '%s\n' "${rsss[@]}" | median)"
}

read -r bare_ms bare_kib < <(measure bare "$build/bench/startup/bench_bare_window")
read -r prog_ms prog_kib < <(measure minutrix "$work/minutrix")

# Idle: the program left running with no connection, its monitoring timers ticking.
"$work/minutrix" & pid=$!
mapped_after "$(now_ns)" >/dev/null
sleep 2
idle_s=${MINUTRIX_IDLE_SECONDS:-20}
before=$(cpu_ns $pid)
sleep "$idle_s"
after=$(cpu_ns $pid)
kill -TERM $pid
wait $pid 2>/dev/null || true

awk -v bm="$bare_ms" -v pm="$prog_ms" -v bk="$bare_kib" -v pk="$prog_kib" \
  -v cpu=$((after - before)) -v s="$idle_s" -v runs="$runs" 'BEGIN {
  printf "start-up until mapped (median of %d): bare Qt window %d ms, Minutrix %d ms, ratio %.2f (target <= 1.30)\n", runs, bm, pm, pm / bm
  printf "resident memory after start-up:       bare Qt window %.1f MiB, Minutrix %.1f MiB, ratio %.2f (target <= 1.30)\n", bk / 1024, pk / 1024, pk / bk
  printf "idle CPU while monitoring (%d s):       %.3f ms per second (target < 1)\n", s, cpu / 1e6 / s
}'
