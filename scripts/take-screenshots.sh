#!/usr/bin/env bash
# Takes the README's screenshots (docs/screenshots/*.png) of the real program under Xvfb:
# the main window with two clips in its list, and the progress window while it converts.
# The clips are generated with ffmpeg in a temporary folder.
set -euo pipefail
if [ -z "${CLAVENOR_SHOTS_INNER:-}" ]; then
    here=$(cd "$(dirname "$0")/.." && pwd)
    cmake -S "$here" -B "$here/build" >/dev/null
    cmake --build "$here/build" --target take_screenshots evc revc -j2
    CLAVENOR_SHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1024x640x24" "$0" "$@"
fi
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/shotsXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Clavenor/Config" "$work/Videos" "$work/home" "$work/out"
cp "$here/build/Clavenor/evc" "$here/build/Clavenor/revc" "$work/Clavenor/"
ffmpeg -nostdin -v error -f lavfi -i testsrc2=size=640x360:rate=25:duration=95 \
    -f lavfi -i sine=frequency=440:duration=95 -c:v mpeg4 -q:v 4 -c:a aac \
    "$work/Videos/Beach walk.mp4"
ffmpeg -nostdin -v error -f lavfi -i testsrc=size=480x270:rate=25:duration=47 \
    -f lavfi -i sine=frequency=660:duration=47 -c:v mpeg4 -q:v 4 -c:a mp3 \
    "$work/Videos/Birthday party.avi"
mkdir -p "$here/docs/screenshots"
"$here/build/src/take_screenshots" "$work/Clavenor/" "$work/home" "$work/out" \
    "$here/docs/screenshots" "$work/Videos/Beach walk.mp4" "$work/Videos/Birthday party.avi"
