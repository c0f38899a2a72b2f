#!/usr/bin/env bash
# How much of a core the player uses on the demo's beach in a real window: rippling water
# (33 steps a second), the gull and the sea through a sound server of its own. It first checks
# that the water moves and the sea sounds, then measures the player's CPU time over 20 s.
#
# usage: bench/beach_cpu.sh [PLAYER] [GAME]   (defaults: build/talewick-player games/demo)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tests/smoke/lib.sh"
smoke_begin "$(realpath "${1:-$root/build/talewick-player}")" "$(realpath "${2:-$root/games/demo}")" \
  "${TMPDIR:-/tmp}/beach_cpu"
cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
start_sound_server
launch_player
start_game; sleep 2
click_game 320 250; sleep 4
xdotool mousemove 0 0
game_area "$work/water1.png"; sleep 0.1; game_area "$work/water2.png"
record_sound "$work/sea.raw"; sleep 1; stop_recording
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }  # user + system time
c0=$(ticks); t0=$(date +%s%N); sleep 20; c1=$(ticks); t1=$(date +%s%N)
echo "$((c1 - c0)) $(getconf CLK_TCK) $((t1 - t0))" > "$work/cpu.txt"
SESSION
run_session "$game"
moved=$(rmse "$work/water1.png" "$work/water2.png" 440x70+0+262)
above "$moved" 0.001 || fail "the water does not move (see $work)"
loud=$(sound_levels "$work/sea.raw" | awk '$2 > -50 { n++ } END { print n + 0 }')
[ "$loud" -gt 50 ] || fail "the sea is not heard (see $work/sea.raw)"
read -r ticks hz ns < "$work/cpu.txt"
awk -v c="$ticks" -v hz="$hz" -v ns="$ns" \
  'BEGIN { printf "beach: %.2f %% of a core over %.0f s\n", c / hz / (ns / 1e9) * 100, ns / 1e9 }'
