#!/usr/bin/env bash
# Measures evc by hand (not part of the tests). Build first with ./scripts/build.sh.
#
# 1. Overhead: a 60 s 640x480 clip converted to the MP4 preset by evc and by ffmpeg run
#    directly with the equivalent modern options, RUNS runs each (interleaved): medians and
#    their ratio. Goal: evc within 3% of ffmpeg.
# 2. Input seek: a 10 s cut from minute 50 of a 60-minute source against the same cut from
#    minute 0, RUNS runs each: medians and their ratio. Goal: within 20%.
#
# Environment: EVC (default build/Clavenor/evc), RUNS (default 5), KEEP=1 keeps the folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
evc=${EVC:-$here/build/Clavenor/evc}
runs=${RUNS:-5}
work=$(mktemp -d /tmp/clavenor-bench-XXXXXX)
if [ "${KEEP:-0}" != 1 ]; then trap 'rm -rf "$work"' EXIT; fi
[ -x "$evc" ] || { echo "no evc at $evc: build first" >&2; exit 1; }

quiet=(-hide_banner -nostdin -loglevel error -y)
preset_evc=(-vcodec mpeg4 -acodec aac -b 128 -s 320x240 -r 15 -aspect 4:3 -ab 128 -vol 200 -ac 2 -ar 44100)
preset_ffmpeg=(-c:v mpeg4 -c:a aac -b:v 128k -s 320x240 -r 15 -aspect 4:3 -b:a 128k -af volume=2 -ac 2 -ar 44100)

# Milliseconds that the command takes.
elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

echo "Making a 60 s 640x480 clip ..."
ffmpeg "${quiet[@]}" -f lavfi -i testsrc=size=640x480:rate=30:duration=60 \
    -f lavfi -i sine=frequency=440:sample_rate=44100:duration=60 \
    -c:v mpeg4 -q:v 3 -c:a libmp3lame "$work/clip.avi"

evc_ms=()
ffmpeg_ms=()
for i in $(seq "$runs"); do
    evc_ms+=("$(elapsed "$evc" -y -i "$work/clip.avi" "${preset_evc[@]}" "$work/evc.mp4")")
    ffmpeg_ms+=("$(elapsed ffmpeg "${quiet[@]}" -i "$work/clip.avi" "${preset_ffmpeg[@]}" "$work/ffmpeg.mp4")")
    echo "  run $i: evc ${evc_ms[-1]} ms, ffmpeg ${ffmpeg_ms[-1]} ms"
done
evc_median=$(median "${evc_ms[@]}")
ffmpeg_median=$(median "${ffmpeg_ms[@]}")
echo "MP4 preset, 60 s 640x480: evc median ${evc_median} ms, ffmpeg median ${ffmpeg_median} ms," \
    "ratio $(ratio "$evc_median" "$ffmpeg_median") (goal <= 1.03)"

echo "Making a 60-minute 320x240 source (a key frame every 10 s) ..."
ffmpeg "${quiet[@]}" -f lavfi -i testsrc=size=320x240:rate=25:duration=3600 \
    -f lavfi -i sine=frequency=440:sample_rate=44100:duration=3600 \
    -c:v mpeg4 -q:v 5 -g 250 -c:a libmp3lame -b:a 64k "$work/long.avi"

start0=()
start50=()
for i in $(seq "$runs"); do
    start0+=("$(elapsed "$evc" -y -i "$work/long.avi" "${preset_evc[@]}" -ss 00:00:00 -t 10 "$work/cut0.mp4")")
    start50+=("$(elapsed "$evc" -y -i "$work/long.avi" "${preset_evc[@]}" -ss 00:50:00 -t 10 "$work/cut50.mp4")")
    echo "  run $i: from minute 0 ${start0[-1]} ms, from minute 50 ${start50[-1]} ms"
done
median0=$(median "${start0[@]}")
median50=$(median "${start50[@]}")
echo "10 s cut of a 60-minute source: from minute 0 median ${median0} ms," \
    "from minute 50 median ${median50} ms, ratio $(ratio "$median50" "$median0") (goal <= 1.20)"
