#!/usr/bin/env bash
# Installs the Debian packages Clavenor needs to build, run and test.
# Idempotent: packages already present are skipped, and apt is not touched at all
# when nothing is missing.
set -euo pipefail

packages=(
    cmake g++ pkg-config make
    libgtest-dev
    qt6-base-dev libqt6opengl6-dev libgl-dev
    libmpv-dev libavformat-dev libavcodec-dev libavutil-dev
    ffmpeg
    xvfb xauth
    xdg-utils
    locales
    # Installed without recommends, so name what the windows need to draw text and GL.
    fontconfig fonts-dejavu-core
    libglx-mesa0 libgl1-mesa-dri
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
