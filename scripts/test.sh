#!/usr/bin/env bash
# Installs what is needed, configures, builds everything and runs every test: the GoogleTest
# programs, the VBScript conformance scripts and the real-window smoke tests.
#
#   scripts/test.sh          the test command (about 15 minutes on an idle 2-core machine)
#   scripts/test.sh --full   the same, then everything again with clang under AddressSanitizer
#                            and UBSan, and a short run of every fuzz target (what CI runs)
#
# Prints the time each stage took at the end. Exits non-zero when a build, a test or a fuzz
# target fails.
set -euo pipefail
cd "$(dirname "$0")/.."
full=false
case "${1:-}" in
  --full) full=true ;;
  "") ;;
  *) echo "usage: scripts/test.sh [--full]" >&2; exit 2 ;;
esac

stages=()
stage() {  # stage NAME COMMAND...: runs the command and keeps its time for the summary
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  stages+=("$(printf '%-28s %4d s%s' "$name" $((SECONDS - start)) \
              "$([ $status = 0 ] || echo "  FAILED")")")
  return $status
}
summary() {
  echo
  echo "Time of each stage:"
  printf '  %s\n' "${stages[@]}"
}
trap summary EXIT

jobs=$(nproc)
stage "install packages" scripts/setup.sh
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
stage "configure" cmake -S . -B build -G Ninja "${launcher[@]}"
stage "build" cmake --build build
stage "tests" ctest --test-dir build --output-on-failure -j "$jobs" -E '^(smoke|package)\.'
# The real-window tests take the screen and the sound server one at a time.
stage "real-window tests" ctest --test-dir build --output-on-failure -R '^(smoke|package)\.'
$full || exit 0

# The same suite under the sanitizers. The real-window smoke tests and the package check are
# left out: under the sanitizers they only grow slower, and what they drive is tested above.
# The kill-point test runs the player under strace, where LeakSanitizer cannot work.
stage "sanitizer build" scripts/sanitize-build.sh
stage "sanitizer tests" env \
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -E '^(smoke|package|crash)\.'

# A short run of every fuzz target: the seeds and the kept regressions, then a little more.
stage "fuzz" env FUZZ_JOBS="$jobs" scripts/fuzz 2
