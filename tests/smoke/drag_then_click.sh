#!/usr/bin/env bash
# Drag and drop with the real mouse, then a quick click: in the demo's beach the shell is
# picked up, dragged from the inventory bar onto the signpost (press, moves, release through
# X), and right after the release the pointer moves onto the cliff path and clicks. That
# click must act: the game area must then show the path frame, as the headless player paints
# it. The bar is also checked to be still open right after the release (the pointer moves of
# a drag do not close it), which shows that a drag really took place.
#
# usage: drag_then_click.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

printf 'start\nclick 320 250\nwait 1100\nclick 252 412\nwait 6000\nclick 548 330\nwait 1500\n' \
  > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
start_game
click_game 320 250; sleep 1.5                                       # on to the beach
click_game 252 412; sleep 3                                         # the shell
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 1              # the bar closes
xdotool mousemove $((ox + 10)) $((oy + 10)); sleep 1                # the button opens it
xdotool mousemove $((ox + 26)) $((oy + 26)); sleep 0.5              # over the shell's icon
game_area "$work/bar_open.png"
drag_game 26 26 110 290; sleep 0.5                                  # onto the signpost
game_area "$work/dropped.png"
xdotool mousemove $((ox + 548)) $((oy + 330)); sleep 0.1; xdotool click 1
sleep 3
game_area "$work/actual.png"
SESSION

run_session "$game"

# The bar (52 pixels at the top) is still open after the drop, as it was before the press.
d=$(rmse "$work/dropped.png" "$work/bar_open.png" 640x52+0+0)
echo "difference of the bar before the drag and after the drop: $d"
below "$d" 0.03 || { echo "no drag took place: the bar closed (see $work)" >&2; exit 1; }

# The click right after the drop went on to the path.
same_beach_frame "$work/actual.png" "$work/expected.png" 0.03 \
  "the window after the click and the headless path frame"
