#!/usr/bin/env bash
# Configures (once) and builds build-sanitize/: everything built by clang with
# AddressSanitizer, UBSan and libFuzzer's coverage, i.e. the whole test suite under the
# sanitizers and the fuzz targets (scripts/fuzz). Extra arguments are target names to build
# instead of everything.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-sanitize
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  # -O1: the sanitizers' usual level, a fair trade between building and running time.
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DTALEWICK_FUZZ=ON
fi
if [ $# -gt 0 ]; then
  cmake --build "$build" --target "$@"
else
  cmake --build "$build"
fi
