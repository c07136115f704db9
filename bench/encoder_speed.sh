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

# "wall-ms cpu-ms" of the command, its children included (cpu = user + system). On a shared
# machine the CPU time is the steadier figure; both are reported.
measure() {
    local TIMEFORMAT='%R %U %S' times
    times=$({ time "$@" >/dev/null; } 2>&1 | tail -1)
    awk -v t="$times" 'BEGIN { split(t, f, " "); printf "%d %d\n", f[1] * 1000, (f[2] + f[3]) * 1000 }'
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

echo "Making a 60 s 640x480 clip ..."
ffmpeg "${quiet[@]}" -f lavfi -i testsrc=size=640x480:rate=30:duration=60 \
    -f lavfi -i sine=frequency=440:sample_rate=44100:duration=60 \
    -c:v mpeg4 -q:v 3 -c:a libmp3lame "$work/clip.avi"

evc_wall=() evc_cpu=() ffmpeg_wall=() ffmpeg_cpu=()
for i in $(seq "$runs"); do
    read -r wall cpu < <(measure "$evc" -y -i "$work/clip.avi" "${preset_evc[@]}" "$work/evc.mp4")
    evc_wall+=("$wall") evc_cpu+=("$cpu")
    read -r wall cpu < <(measure ffmpeg "${quiet[@]}" -i "$work/clip.avi" "${preset_ffmpeg[@]}" "$work/ffmpeg.mp4")
    ffmpeg_wall+=("$wall") ffmpeg_cpu+=("$cpu")
    echo "  run $i: evc ${evc_wall[-1]} ms (cpu ${evc_cpu[-1]} ms), ffmpeg ${ffmpeg_wall[-1]} ms (cpu ${ffmpeg_cpu[-1]} ms)"
done
ew=$(median "${evc_wall[@]}") ec=$(median "${evc_cpu[@]}")
fw=$(median "${ffmpeg_wall[@]}") fc=$(median "${ffmpeg_cpu[@]}")
echo "MP4 preset, 60 s 640x480 (medians of $runs): evc ${ew} ms, ffmpeg ${fw} ms," \
    "ratio $(ratio "$ew" "$fw"); cpu evc ${ec} ms, ffmpeg ${fc} ms, ratio $(ratio "$ec" "$fc")" \
    "(goal <= 1.03)"

echo "Making a 60-minute 320x240 source (a key frame every 10 s) ..."
ffmpeg "${quiet[@]}" -f lavfi -i testsrc=size=320x240:rate=25:duration=3600 \
    -f lavfi -i sine=frequency=440:sample_rate=44100:duration=3600 \
    -c:v mpeg4 -q:v 5 -g 250 -c:a libmp3lame -b:a 64k "$work/long.avi"

wall0=() cpu0=() wall50=() cpu50=()
for i in $(seq "$runs"); do
    read -r wall cpu < <(measure "$evc" -y -i "$work/long.avi" "${preset_evc[@]}" -ss 00:00:00 -t 10 "$work/cut0.mp4")
    wall0+=("$wall") cpu0+=("$cpu")
    read -r wall cpu < <(measure "$evc" -y -i "$work/long.avi" "${preset_evc[@]}" -ss 00:50:00 -t 10 "$work/cut50.mp4")
    wall50+=("$wall") cpu50+=("$cpu")
    echo "  run $i: from minute 0 ${wall0[-1]} ms (cpu ${cpu0[-1]} ms), from minute 50 ${wall50[-1]} ms (cpu ${cpu50[-1]} ms)"
done
w0=$(median "${wall0[@]}") c0=$(median "${cpu0[@]}")
w50=$(median "${wall50[@]}") c50=$(median "${cpu50[@]}")
echo "10 s cut of a 60-minute source (medians of $runs): from minute 0 ${w0} ms, from minute 50" \
    "${w50} ms, ratio $(ratio "$w50" "$w0"); cpu ${c0} ms and ${c50} ms, ratio $(ratio "$c50" "$c0")" \
    "(goal <= 1.20)"
