#!/usr/bin/env bash
# While an action's video plays, the game waits for it without spinning a processor: a saved
# game at the lit-lamp moment is made headlessly, loaded in the real window, and the matches
# are dragged from the inventory bar onto the lamp with the real mouse. During the three
# seconds of the beam video the program may use at most half of one processor (polling flat
# out, it used all it was given), and the cut-scene area must really show the video.
#
# usage: video_wait.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/game"

# The play-through up to the oiled wick fitted into the lamp, then a save.
walkthrough_before "drag 2 320 250" > "$work/replay.txt"
echo "save Lamp" >> "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/before.png" "$work/game" 2>/dev/null
[ -f "$work/game/Lamp.sav" ] || { echo "the replay did not save the game" >&2; exit 1; }

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }  # user + system time
load_newest_save
open_bar
drag_game 68 26 320 250; sleep 0.5                                  # the matches onto the lamp
t0=$(date +%s%N); c0=$(ticks)
sleep 1
game_area "$work/during.png"
sleep 1
t1=$(date +%s%N); c1=$(ticks)
echo "$((c1 - c0)) $(getconf CLK_TCK) $(( (t1 - t0) / 1000000 ))" > "$work/cpu.txt"
SESSION

run_session "$work/game"

# The cut-scene area (320 x 240 at 160, 120) shows the video, not the lamp room.
difference=$(rmse "$work/during.png" "$work/before.png" 320x240+160+120)
echo "difference between the cut-scene area and the lamp room: $difference"
above "$difference" 0.1 || { echo "no video in the cut-scene area (see $work)" >&2; exit 1; }
read -r ticks per_second ms < "$work/cpu.txt"
share=$(awk -v t="$ticks" -v s="$per_second" -v ms="$ms" 'BEGIN { printf "%.2f", t / s / (ms / 1000) }')
echo "processor used while the video played: $share of one processor over $ms ms"
below "$share" 0.5 || { echo "the wait for the video keeps a processor busy" >&2; exit 1; }
