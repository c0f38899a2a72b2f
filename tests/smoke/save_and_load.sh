#!/usr/bin/env bash
# Save, quit, start again, load — in the real window with the keyboard and mouse: a copy of
# the demo game is started, the shell is picked up on the beach, S opens the save window, a
# name is typed and Enter saves; Q and Enter quit. A second run of the program opens the load
# window from the start-up window, Down and Enter load the game. The game area must then show
# what it showed when the game was saved (the shell gone, the satchel button shown).
#
# usage: save_and_load.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
export SMOKE_LIB="$(cd "$(dirname "$0")" && pwd)/lib.sh"
player=$1
game=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
cp -r "$game" "$work/game"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"  # wait_for
area() {  # area WINDOW PNG: the 640 x 480 game area under the window's menu bar
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "640x480+$X+$((Y + HEIGHT - 480))" +repage "$2"
}

"$player" "$game" > "$work/run1.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
startup=$(wait_for --class talewick-player); sleep 1
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 85)) click 1           # Start
gamewin=$(wait_for --name "Lighthouse Keeper"); sleep 1
eval "$(xdotool getwindowgeometry --shell "$gamewin")"
top=$((Y + HEIGHT - 480))
xdotool mousemove $((X + 320)) $((top + 250)) click 1; sleep 1.5    # on to the beach
xdotool mousemove $((X + 252)) $((top + 412)) click 1; sleep 3      # the shell
xdotool mousemove $((X + 320)) $((top + 300)); sleep 3              # the bar closes
area "$gamewin" "$work/saved.png"
xdotool key s; sleep 1.5
wait_for --name "Save the current game" > /dev/null
xdotool type --delay 60 "Shell taken"; xdotool key Return; sleep 1
xdotool key q; sleep 1; xdotool key Return; sleep 2                 # quit: Yes
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

"$player" "$game" > "$work/run2.log" 2>&1 &
pid=$!
startup=$(wait_for --class talewick-player); sleep 1
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 117)) click 1          # Load
wait_for --name "Load a previously saved game" > /dev/null; sleep 0.5
xdotool key Down; xdotool key Return; sleep 4
gamewin=$(wait_for --name "Lighthouse Keeper")
area "$gamewin" "$work/loaded.png"
SESSION

xvfb-run -a -s "-screen 0 1280x960x24" bash "$work/session.sh" "$player" "$work/game" "$work"
[ -f "$work/game/Shell taken.sav" ] || { echo "no saved game was written" >&2; exit 1; }
# The sea ripples and the gull flies on their own clocks: compare the picture above the gull
# and below the sea.
for part in 640x148+0+0 640x146+0+334; do
  convert "$work/loaded.png" -crop "$part" +repage "$work/loaded_part.png"
  convert "$work/saved.png" -crop "$part" +repage "$work/saved_part.png"
  difference=$(compare -metric RMSE "$work/loaded_part.png" "$work/saved_part.png" null: 2>&1 |
               sed -n 's/.*(\(.*\)).*/\1/p' || true)
  echo "difference between the saved and the loaded game area ($part): $difference"
  awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.01) }' || {
    echo "the loaded game does not show the saved frame (see $work)" >&2
    exit 1
  }
done
