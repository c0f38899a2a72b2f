#!/usr/bin/env bash
# The hidden Debug menu in the real window, as a game's author uses it: on the cliff path
# F12 F11 F10 F9 are pressed in turn, the new Debug title is clicked with the mouse, and
# the keys go into "Go to another frame" and pick the lit lamp room. The game area must then
# show that frame as the headless player paints it after the same menu command.
#
# usage: debug_menu.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

printf 'start\nclick 320 250\nwait 1100\nclick 548 330\nwait 1500\nkey F12\nkey F11\nkey F10\nkey F9\nmenu mnuFrameName:LampLit\nwait 3000\n' \
  > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
start_game
click_game 320 250; sleep 1.5                                       # on to the beach
click_game 548 330; sleep 2                                         # the cliff path
menubar() {  # menubar PNG: the menu bar above the game area
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "400x$((oy - Y))+$ox+$Y" +repage "$1"
}
menubar "$work/menus_before.png"
xdotool key F12 F11 F10 F9; sleep 0.7
menubar "$work/menus_debug.png"
# Options, the third title, opens with the mouse; Right moves on to Debug, whose first entry
# leads to the frames.
xdotool mousemove $((ox + 220)) $(( (Y + oy) / 2 )) click 1; sleep 0.7
xdotool key Right; sleep 0.5
import -window root "$work/debug_open.png"
xdotool key Right; sleep 0.5
import -window root "$work/frames_open.png"
xdotool key Down Down Down Down Return; sleep 3                       # Cancel, ..., LampLit
game_area "$work/actual.png"
SESSION

run_session "$game"
d=$(rmse "$work/menus_before.png" "$work/menus_debug.png")
echo "difference of the menu bar before and after the Debug keys: $d"
above "$d" 0.02 || { echo "the Debug keys did not add the Debug menu (see $work)" >&2; exit 1; }
d=$(rmse "$work/actual.png" "$work/expected.png" 640x330+0+52)
echo "difference between the window and the headless lit lamp room: $d"
below "$d" 0.05 || { echo "the Debug menu did not lead to the lit lamp room (see $work)" >&2; exit 1; }
