#!/usr/bin/env bash
# Esc cuts a video and a transition short in the real window: a saved game at the lit-lamp
# moment is made headlessly and loaded; the matches are dragged onto the lamp with the real
# mouse, and half a second into the three-second beam video Esc is pressed. That ends the
# wait for the video; the action goes on with its transition into the lit lamp room (the
# video goes on playing until the action is done), and a second Esc ends the transition. A
# moment later, well before the video would have ended, the cut-scene area must show the
# lit lamp room as the headless player paints it after the video.
#
# usage: escape_video.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/game"

# The play-through up to the oiled wick fitted into the lamp, then a save; and the lit lamp
# room after the video, headless.
walkthrough_before "drag 2 320 250" > "$work/upto.txt"
{ cat "$work/upto.txt"; echo "save Lamp"; } > "$work/save.txt"
{ cat "$work/upto.txt"; printf 'drag 2 320 250\nwait 1000\n'; } > "$work/lit.txt"
for name in save lit; do
  "$player" --replay "$work/$name.txt" --screenshot "$work/$name.png" "$work/game" 2>/dev/null
done
[ -f "$work/game/Lamp.sav" ] || { echo "the replay did not save the game" >&2; exit 1; }

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
load_newest_save
open_bar
drag_game 68 26 320 250                                             # the matches onto the lamp
sleep 0.5; game_area "$work/video.png"
# A third Esc in case the transition had not begun at the second (a busy machine); once the
# lit room is open, Esc in a window changes nothing.
xdotool key Escape; sleep 0.3; xdotool key Escape; sleep 0.3; xdotool key Escape; sleep 0.4
game_area "$work/after_escape.png"
SESSION

run_session "$work/game"

# The cut-scene area: 320 x 240 at 160, 120.
d=$(rmse "$work/video.png" "$work/lit.png" 320x240+160+120)
echo "difference of the cut-scene area before Esc from the lit lamp room: $d"
above "$d" 0.1 || { echo "no video was playing when Esc was pressed (see $work)" >&2; exit 1; }
d=$(rmse "$work/after_escape.png" "$work/lit.png" 320x240+160+120)
echo "difference of the cut-scene area after Esc from the lit lamp room: $d"
below "$d" 0.05 || { echo "Esc did not cut the video and the transition short (see $work)" >&2; exit 1; }
