# Shell helpers the real-window smoke sessions share (sourced through $SMOKE_LIB, which each
# test script sets to this file before it starts its session under Xvfb).

wait_for() {  # wait_for ARGS...: the first visible window xdotool search finds
  for _ in $(seq 1 100); do
    if w=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1) && [ -n "$w" ]; then
      echo "$w"; return 0
    fi
    sleep 0.1
  done
  echo "no window for: $*" >&2; return 1
}
