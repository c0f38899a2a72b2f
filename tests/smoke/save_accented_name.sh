#!/usr/bin/env bash
# A saved game named with letters outside ASCII, typed with the real keyboard: "Crème brûlée"
# typed into the save window must give a file of that name, and a second run of the program
# must list it in the load window and load it (the game area then shows the beach it was
# saved on, not the title card a new game starts with).
#
# usage: save_accented_name.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/game"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player run1.log
start_game
click_game 320 250; sleep 1.5                                       # on to the beach
game_area "$work/saved.png"
xdotool key s; sleep 1.5
wait_for --name "Save the current game" > /dev/null
xdotool type --delay 60 "Crème brûlée"; xdotool key Return; sleep 1
xdotool key q; sleep 1; xdotool key Return; sleep 2                 # quit: Yes
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run2.log
load_newest_save
game_area "$work/loaded.png"
SESSION

run_session "$work/game"
ls "$work/game"/*.sav
[ -f "$work/game/Crème brûlée.sav" ] || { echo "no saved game named as typed" >&2; exit 1; }
same_beach_frame "$work/loaded.png" "$work/saved.png" 0.01 "the saved and the loaded game area"
