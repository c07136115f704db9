#!/usr/bin/env bash
# Measures the main window by hand (figures for reports, never for tests), under its own Xvfb:
#   1. time from the process start to the main window shown (mapped), N runs, taken by
#      bench/startup_watch.cpp from the X server's map notifications;
#   2. the idle CPU use of the window with its timers running, over S seconds.
# Usage: bench/main-window.sh [runs] [idle-seconds]     (build first: ./scripts/build.sh)
# The program runs from a copy of the program folder, so the build's Config/ is not touched.
set -euo pipefail
if [ -z "${CLAVENOR_BENCH_INNER:-}" ]; then
    CLAVENOR_BENCH_INNER=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
idle=${2:-20}
work=$(mktemp -d /tmp/clavenor-mainwin-bench-XXXXXX)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp -r "$here/build/Clavenor" "$work/Clavenor"
program="$work/Clavenor/clavenor"

# The main window: the top-level window of class "clavenor" that is mapped and viewable.
viewable() {
    local id
    id=$(xwininfo -root -children 2>/dev/null | awk '/\("clavenor" "Clavenor"\)/ {print $1; exit}')
    [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'
}
wait_shown() {
    until viewable; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window" >&2; exit 1; }
        sleep 0.002
    done
}

echo "start-up to window shown, $runs runs (ms):"
g++ -std=c++20 -O2 "$here/bench/startup_watch.cpp" -o "$work/startup_watch" -lX11
mapfile -t times < <("$work/startup_watch" "$program" "$runs")
printf '  %s\n' "${times[*]}"
printf '%s\n' "${times[@]}" | sort -n |
    awk '{a[NR]=$1} END {printf "  median %d ms, min %d ms, max %d ms\n", a[int((NR+1)/2)], a[1], a[NR]}'

echo "idle CPU over $idle s (timers running, window shown):"
"$program" >/dev/null 2>&1 &
pid=$!
wait_shown
sleep 2
ticks=$(getconf CLK_TCK)
read -r u0 s0 < <(awk '{print $14, $15}' "/proc/$pid/stat")
sleep "$idle"
read -r u1 s1 < <(awk '{print $14, $15}' "/proc/$pid/stat")
awk -v u="$((u1 - u0))" -v s="$((s1 - s0))" -v t="$ticks" -v d="$idle" \
    'BEGIN {printf "  %.2f%% of one core (user %.2f s, system %.2f s)\n", 100*(u+s)/t/d, u/t, s/t}'
