#!/usr/bin/env bash
# One inventory item dropped onto another with the real mouse: a saved game in the lamp
# room is made headlessly and loaded in the real window; the inventory bar is opened by
# hovering and the wick is dragged onto the oil can (press, moves, release through X). The
# two must make the oiled wick: the bar must then show what the headless player shows after
# the same drop, and no longer what it showed before. The pointer rests on the bar after the
# drop: 3 s later, when the oiled wick's pick-up no longer holds the bar open, the bar must
# still be open.
#
# usage: item_onto_item.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/game"

# The play-through up to the soaking of the wick, then a save. The two pictures of the bar
# (open, the pointer on the oil can) before and after the drop, as the headless player
# paints them.
walkthrough_before "dragitem 3 4" > "$work/upto.txt"
bar_open='move 320 300\nwait 1000\nmove 10 10\nwait 1500\nmove 152 26\nwait 500\n'
{ cat "$work/upto.txt"; echo "save Soak"; } > "$work/save.txt"
{ cat "$work/upto.txt"; printf "$bar_open"; } > "$work/before.txt"
{ cat "$work/upto.txt"; printf "dragitem 3 4\nwait 3000\n$bar_open"; } > "$work/after.txt"
for name in save before after; do
  "$player" --replay "$work/$name.txt" --screenshot "$work/$name.png" "$work/game" 2>/dev/null
done
[ -f "$work/game/Soak.sav" ] || { echo "the replay did not save the game" >&2; exit 1; }

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
load_newest_save
open_bar
drag_game 110 26 152 26; sleep 3                                    # the wick onto the oil can
game_area "$work/dropped.png"
open_bar
xdotool mousemove $((ox + 152)) $((oy + 26)); sleep 0.5
game_area "$work/actual.png"
SESSION

run_session "$work/game"

d=$(rmse "$work/before.png" "$work/after.png" 640x52+0+0)
echo "difference of the headless bar before and after the drop: $d"
above "$d" 0.02 || { echo "the headless drop changed nothing in the bar" >&2; exit 1; }
d=$(rmse "$work/dropped.png" "$work/after.png" 640x52+0+0)
echo "difference of the window's bar 3 s after the drop, the pointer resting on it: $d"
below "$d" 0.02 || { echo "the bar closed under the pointer after the drop (see $work)" >&2; exit 1; }
d=$(rmse "$work/actual.png" "$work/after.png" 640x52+0+0)
echo "difference of the window's bar from the headless bar after the drop: $d"
below "$d" 0.02 || { echo "the drop onto the oil can did not make the oiled wick (see $work)" >&2; exit 1; }
