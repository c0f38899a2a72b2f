#!/usr/bin/env bash
# Installs what is needed, configures, builds everything and runs every test; then builds
# everything again with clang under AddressSanitizer and UBSan, runs the test suite there
# and gives each fuzz target a few seconds on its corpus.
# Exits non-zero when a build, a test or a fuzz target fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -G Ninja "${launcher[@]}"
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# The same suite under the sanitizers. The real-window smoke tests and the package check are
# left out: under the sanitizers they only grow slower, and what they drive is tested above.
scripts/sanitize-build.sh
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)" -E '^(smoke|package)\.'

# A short run of every fuzz target: the seeds and the kept regressions, then a little more.
FUZZ_JOBS="$(nproc)" scripts/fuzz 2
