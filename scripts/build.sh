#!/usr/bin/env bash
# Configures and builds Clavenor into build/ (the program folder is build/Clavenor/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_type=${BUILD_TYPE:-RelWithDebInfo}
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE="$build_type" >/dev/null
cmake --build "$here/build" -j"$(nproc)"
