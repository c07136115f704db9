#!/usr/bin/env bash
# Redraws the skin pictures into src/resources/ with the make_skin tool
# (src/resources/make_skin.cpp). The pictures are committed; run this after changing the tool.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$here" -B "$here/build" >/dev/null
cmake --build "$here/build" --target make_skin -j2
QT_QPA_PLATFORM=offscreen "$here/build/src/make_skin" "$here/src/resources"
