#!/usr/bin/env bash
# The real program in a real X window: start the demo game from its start-up window with
# the mouse, click into the first frame, and check that the window shows what the headless
# player paints for the same inputs.
#
# usage: real_window.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

# What the game area must show after Start and a click on the title picture.
printf 'start\nclick 320 250\nwait 1300\n' > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
# The game window is a caption-less X window here (no window manager), its menu bar above
# the 640 x 480 game area.
start_game
click_game 320 250; sleep 2
game_area "$work/actual.png"
SESSION

run_session "$game"
same_beach_frame "$work/actual.png" "$work/expected.png" 0.03 "the window and the headless picture"
