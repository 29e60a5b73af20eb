#!/usr/bin/env bash
# Builds the release programs and plays: an embedded server with three bots and the
# player's own table window. Without a display it plays headless and writes
# screenshots into build/play/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

cmake -S . -B build/play -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTRANO_TESTS=OFF -DVESTRANO_BENCH=OFF
cmake --build build/play -j "$(nproc)" --target vestrano-hall vestrano-server VestranoC_Kep

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
build/play/hall/vestrano-hall "$@"
