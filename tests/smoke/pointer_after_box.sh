#!/usr/bin/env bash
# Hotspot pointers after a message box, in the real window: on the demo's beach the pointer
# over the cliff path is the "way in" arrow. The signpost is clicked, which opens a message
# box; Enter closes it. The pointer then goes to the sky and back onto the path, where it
# must be the way-in arrow again, as X draws it (the 64 x 64 pixels around it compared).
#
# usage: pointer_after_box.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
start_game
click_game 320 250; sleep 1.5                                       # on to the beach
pointer_at 548 330 "$work/path_before.png"
pointer_at 320 100 "$work/sky_before.png"
click_game 110 290; sleep 1                                         # the signpost's box
xdotool key Return; sleep 1
pointer_at 320 100 "$work/sky_after.png"
pointer_at 548 330 "$work/path_after.png"
SESSION

run_session "$game"

d=$(rmse "$work/path_before.png" "$work/sky_before.png" 64x64+0+0)
echo "difference between the pointer on the path and in the sky before the box: $d"
above "$d" 0.05 || fail "no pointer was seen on the screen (see $work)"
d=$(rmse "$work/path_after.png" "$work/path_before.png")
echo "difference of the pointer on the path after the box from before it: $d"
below "$d" 0.02 || fail "after the box the path no longer shows its pointer (see $work)"
