#!/usr/bin/env bash
# Builds bench/job_bench.cpp against the logic library of build/ and runs both benchmarks:
# the conversion job's own time per file with an encoder that exits at once, and the CPU
# time the encoder runner uses while an encoder runs silently.
# Usage: bench/run-job-bench.sh [files] [seconds]   (defaults 200 and 10)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh" >/dev/null
out="$here/build/bench"
mkdir -p "$out"
g++ -std=c++20 -O2 -I"$here/src" -I"$here/tests/logic" "$here/bench/job_bench.cpp" \
    "$here/build/src/libclavenor_logic.a" $(pkg-config --libs libavformat libavcodec libavutil) \
    -pthread -o "$out/job_bench"
"$out/job_bench" per-file "${1:-200}"
"$out/job_bench" idle-cpu "${2:-10}"
