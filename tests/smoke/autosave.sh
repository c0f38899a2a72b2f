#!/usr/bin/env bash
# The automatic save in the real window: on a copy of the demo the player saves as "Mine" on
# the beach, picks up the shell and quits with Q (Yes). The game folder then holds the
# automatic save beside "Mine.sav". A second run opens the load window from the start-up
# window; its first entry is the automatic save, and loading it shows the beach with the
# shell gone (the state at the quit, not the player's older save). A third run starts a new
# game, goes to the beach and is stopped with SIGTERM, as at a log-out: the program ends
# normally and the automatic save now holds the new game (no shell in the inventory).
#
# A fourth run clicks Options > Autosave off; its quit leaves the automatic save as it was.
#
# usage: autosave.sh PLAYER GAME_FOLDER WORK_FOLDER
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
xdotool key s; wait_for --name "Save the current game" > /dev/null; sleep 0.5
xdotool type --delay 60 "Mine"; xdotool key Return; sleep 1
click_game 252 412; sleep 3                                         # the shell
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 3              # the bar closes
game_area "$work/quit.png"
xdotool key q; sleep 1; xdotool key Return                          # quit: Yes
for _ in $(seq 1 50); do [ -f "$game/Autosave.autosave" ] && break; sleep 0.1; done
sleep 1
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run2.log
startup_button 117                                                  # Load
load=$(wait_for --name "Load a previously saved game"); sleep 1
import -window "$load" "$work/load_window.png"
xdotool key Down; xdotool key Return; sleep 3                       # the first entry
find_game_window
game_area "$work/loaded.png"
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run3.log
start_game
click_game 320 250; sleep 2                                         # a new game, the beach
kill -TERM $pid
status=0; wait $pid || status=$?
echo "$status" > "$work/sigterm_status.txt"

# Options > Autosave clicked off: the shell taken and Q leave the automatic save as it was.
cp "$game/Autosave.autosave" "$work/before_off.autosave"
launch_player run4.log
start_game
click_game 320 250; sleep 1.5
xdotool mousemove $((ox + 220)) $((oy - 10)) click 1; sleep 1      # Options
xdotool mousemove $((ox + 250)) $((oy + 188)) click 1; sleep 0.5   # Autosave, its last entry
click_game 252 412; sleep 3                                         # the shell
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 3              # the bar closes
xdotool key q; sleep 1; xdotool key Return; sleep 2
SESSION

run_session "$work/game"
[ -f "$work/game/Autosave.autosave" ] || fail "the quit wrote no automatic save"
[ -f "$work/game/Mine.sav" ] || fail "the player's save was not written"
same_beach_frame "$work/loaded.png" "$work/quit.png" 0.01 "the game at the quit and the loaded automatic save"
[ "$(cat "$work/sigterm_status.txt")" = 0 ] ||
  fail "SIGTERM ended the player with status $(cat "$work/sigterm_status.txt")"
! grep -q '^"Shell"' "$work/game/Autosave.autosave" ||
  fail "SIGTERM did not save the new game automatically"
cmp -s "$work/before_off.autosave" "$work/game/Autosave.autosave" ||
  fail "the automatic save was written with Options > Autosave clicked off"
