#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and playing Vestrano needs.
# Idempotent: when everything is present it installs nothing and does not touch apt.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang lld llvm binutils
  # Qt 6: widgets, painting, event loop, sockets, SQLite through Qt SQL
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev libgl-dev
  # pictures, sound, settings file
  libpng-dev libjpeg-dev zlib1g-dev libsdl2-mixer-dev libsimpleini-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # the two Chinese font families the module draws with, plus emoji for the emoticon art
  fonts-arphic-uming fonts-arphic-ukai fonts-noto-color-emoji
  # headless play and screenshots
  xvfb xauth
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

if [ "$(id -u)" -ne 0 ]; then
  echo "deps.sh: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
