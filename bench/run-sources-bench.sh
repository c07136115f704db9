#!/usr/bin/env bash
# Builds bench/add_source_files_bench.cpp against the logic library of build/ and runs it:
# one AddSourceFiles call over small generated clips, in files per second.
# Usage: bench/run-sources-bench.sh [files] [rounds]   (defaults 200 and 5)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh" >/dev/null
out="$here/build/bench"
mkdir -p "$out"
g++ -std=c++20 -O2 -I"$here/src" -I"$here/tests/logic" "$here/bench/add_source_files_bench.cpp" \
    "$here/build/src/libclavenor_logic.a" $(pkg-config --libs libavformat libavcodec libavutil) \
    -o "$out/add_source_files_bench"
"$out/add_source_files_bench" "${1:-200}" "${2:-5}"
