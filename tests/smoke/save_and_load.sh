#!/usr/bin/env bash
# Save, quit, start again, load — in the real window with the keyboard and mouse: a copy of
# the demo game is started, the shell is picked up on the beach, S opens the save window, a
# name is typed and Enter saves; a double click on its entry saves over it; Q and Enter
# quit. A second run of the program opens the load window from the start-up window, and a
# double click on the saved game loads it (the other tests load with Down and Enter). The
# game area must then show what it showed when the game was saved (the shell gone, the
# satchel button shown). A double click below the entries, in either window, does nothing.
#
# usage: save_and_load.sh PLAYER GAME_FOLDER WORK_FOLDER
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
click_game 252 412; sleep 3                                         # the shell
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 3              # the bar closes
game_area "$work/saved.png"
xdotool key s; sleep 1.5
wait_for --name "Save the current game" > /dev/null
xdotool type --delay 60 "Shell taken"; xdotool key Return; sleep 1
# Saved again over itself: a double click on its entry in the save window takes its name and
# saves; the question whether to replace it is answered with Enter (the pointer rests on it).
touch -d 2001-01-01 "$game/Shell taken.sav"
xdotool key s; sleep 1
save=$(wait_for --name "Save the current game"); sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$save")"
# A name typed, then a double click on the empty part of the list below its one entry: that
# chooses no entry and must not save under the typed name.
xdotool type --delay 60 "Other"
xdotool mousemove $((X + 50)) $((Y + 200)) click --repeat 2 --delay 80 1; sleep 1
xdotool search --onlyvisible --name "Save the current game" > /dev/null ||
  fail "a double click below the entries of the save window closed it"
shown() { xdotool search --onlyvisible --class talewick-player 2>/dev/null | wc -l; }
before=$(shown)
xdotool mousemove $((X + 50)) $((Y + 83)) click --repeat 2 --delay 80 1; sleep 1
echo "$before $(shown)" > "$work/windows_shown.txt"                 # the question came?
xdotool key Return; sleep 1
xdotool key q; sleep 1; xdotool key Return; sleep 2                 # quit: Yes
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run2.log
startup_button 117                                                  # Load
load=$(wait_for --name "Load a previously saved game"); sleep 0.7
eval "$(xdotool getwindowgeometry --shell "$load")"
xdotool mousemove $((X + 50)) $((Y + 200)) click --repeat 2 --delay 80 1; sleep 1.5  # no entry
xdotool search --onlyvisible --name "Load a previously saved game" > /dev/null ||
  fail "a double click below the entries of the load window closed it"
xdotool mousemove $((X + 50)) $((Y + 53)) click --repeat 2 --delay 80 1   # the first entry
sleep 3
find_game_window
game_area "$work/loaded.png"
SESSION

run_session "$work/game"
[ ! -e "$work/game/Other.sav" ] ||
  fail "a double click below the entries of the save window saved the typed name"
[ -f "$work/game/Shell taken.sav" ] || { echo "no saved game was written" >&2; exit 1; }
read -r before after < "$work/windows_shown.txt"
[ "$after" -eq $((before + 1)) ] && [ "$(date -r "$work/game/Shell taken.sav" +%Y)" != 2001 ] ||
  { echo "the double click in the save window did not save over the game" >&2; exit 1; }
same_beach_frame "$work/loaded.png" "$work/saved.png" 0.01 "the saved and the loaded game area"
