#!/usr/bin/env bash
# A saved game named with letters outside ASCII, typed with the real keyboard: "Crème brûlée"
# typed into the save window must give a file of that name, and a second run of the program
# must list it in the load window and load it (the game area then shows the beach it was
# saved on, not the title card a new game starts with).
#
# Everything with the keyboard: Enter on the empty name first brings the box that asks for a
# name, and once Enter has closed it the keys must reach the save window again (with no
# window manager to hand the focus back), and once the save window has closed they must reach
# the game window. The second run opens the load window from the start-up window with Tab (to
# Load) and Enter.
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
shown() { xdotool search --onlyvisible --class talewick-player 2>/dev/null | wc -l; }
before=$(shown)
# The pointer rests off every window: with the focus on the root window, X would hand the keys
# to whatever window lay under the pointer, and so hide a lost focus.
xdotool mousemove 2 2; sleep 0.3
xdotool key Return; sleep 1                                         # no name yet: the box
echo "$before $(shown)" > "$work/windows_shown.txt"
xdotool key Return; sleep 1                                         # closes it
xdotool type --delay 60 "Crème brûlée"; xdotool key Return; sleep 1
[ -f "$game/Crème brûlée.sav" ] || fail "the name typed after the box closed was not saved"
# The save window has closed: the keys go to the game window again, and S opens it anew.
xdotool key s
wait_for --name "Save the current game" > /dev/null; sleep 0.5
xdotool key Escape; sleep 1
xdotool key q; sleep 1; xdotool key Return; sleep 2                 # quit: Yes
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run2.log
wait_for --class talewick-player > /dev/null; sleep 1
xdotool key Tab; sleep 0.3; xdotool key Return                      # Load, by the keyboard
wait_for --name "Load a previously saved game" > /dev/null; sleep 0.5
xdotool key Down; xdotool key Return; sleep 3
find_game_window
game_area "$work/loaded.png"
SESSION

run_session "$work/game"
read -r before after < "$work/windows_shown.txt"
[ "$after" -eq $((before + 1)) ] || fail "Enter on an empty name brought no box"
ls "$work/game"/*.sav
[ -f "$work/game/Crème brûlée.sav" ] || { echo "no saved game named as typed" >&2; exit 1; }
same_beach_frame "$work/loaded.png" "$work/saved.png" 0.01 "the saved and the loaded game area"
