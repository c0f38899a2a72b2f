#!/usr/bin/env bash
# Installs what is needed, builds the player and plays a game in a window (the demo game
# when no folder is given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target talewick-player
exec build/talewick-player "${1:-games/demo}"
