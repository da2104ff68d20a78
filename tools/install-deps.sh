#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
# Works as root or through sudo, and never asks a question (CI has no standard input).
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-image-dev libpng-dev zlib1g-dev libjpeg-dev
  libfreetype-dev libfontconfig-dev
  libvorbis-dev libogg-dev
  afl++
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core
  python3-pil python3-numpy vorbis-tools sox espeak-ng
  xvfb openbox xdotool
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

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
else
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
