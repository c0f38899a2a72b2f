#!/usr/bin/env bash
# Installs what is needed, configures, builds everything and runs every test.
# Exits non-zero when the build or any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
