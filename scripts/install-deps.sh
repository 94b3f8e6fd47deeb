#!/usr/bin/env bash
# Installs the Debian packages that are missing from the given list
# (default: what building and testing needs).
set -euo pipefail
packages=("$@")
if [ ${#packages[@]} -eq 0 ]; then
  packages=(g++ cmake ninja-build pkg-config ccache googletest libgtest-dev libgmock-dev
            libbenchmark-dev libjpeg62-turbo-dev libyaml-cpp-dev libfreetype-dev libpng-dev fonts-dejavu-core
            libsdl2-dev libsdl2-mixer-dev libx11-dev librsvg2-bin lame espeak-ng ffmpeg
            libavformat-dev libavcodec-dev libswscale-dev libswresample-dev
            libcairo2-dev libcups2-dev fonts-liberation2 poppler-utils groff-base)
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
