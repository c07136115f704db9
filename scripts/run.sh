#!/usr/bin/env bash
# Installs what is missing, builds Clavenor and starts it.
# Without a display it runs under Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$here/build/Clavenor/clavenor" "$@"
else
    exec xvfb-run -a "$here/build/Clavenor/clavenor" "$@"
fi
