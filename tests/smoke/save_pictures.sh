#!/usr/bin/env bash
# The picture of the moment in the real window: on the beach, S opens the save window, which
# shows beside its list the picture this save will keep — the game area as it was before S,
# at half size. The save is made with a typed name and Enter; it leaves a 320 x 240 PNG beside
# the saved game. A second run opens the load window from the start-up window; Down chooses
# the save, and the window shows the same picture.
#
# usage: save_pictures.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/game"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
# The picture inside its frame: the list column is 360 pixels wide, the frame line 1 pixel.
picture_shown() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "320x240+$((X + 361))+$((Y + 13))" +repage "$2"
}
launch_player run1.log
start_game
click_game 320 250; sleep 2                                         # on to the beach
xdotool mousemove 2 2; sleep 0.5
game_area "$work/before.png"
xdotool key s
save=$(wait_for --name "Save the current game"); sleep 1
picture_shown "$save" "$work/save_window.png"
xdotool type --delay 60 "Dusk"; xdotool key Return; sleep 1
xdotool key q; sleep 1; xdotool key Return; sleep 2                 # quit: Yes
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run2.log
startup_button 117                                                  # Load
load=$(wait_for --name "Load a previously saved game"); sleep 0.7
picture_shown "$load" "$work/load_empty.png"                        # nothing chosen yet
xdotool key Down; sleep 1
picture_shown "$load" "$work/load_window.png"
SESSION

run_session "$work/game"
[ -f "$work/game/Dusk.sav" ] || fail "nothing was saved"
[ "$(identify -format %wx%h "$work/game/Dusk.png" 2>/dev/null)" = 320x240 ] ||
  fail "no 320 x 240 picture beside the saved game"
convert "$work/before.png" -resize 320x240 "$work/before_half.png"
# The sea ripples and the gull flies between the two moments: the sky and the sand compare.
for shot in save_window load_window; do
  for part in 320x74+0+0 320x73+0+167; do
    d=$(rmse "$work/$shot.png" "$work/before_half.png" "$part")
    echo "$shot against the game area before S ($part): $d"
    below "$d" 0.03 || fail "the $shot does not show the picture of the moment (see $work)"
  done
done
d=$(rmse "$work/load_window.png" "$work/game/Dusk.png")
echo "load window against the saved picture: $d"
below "$d" 0.02 || fail "the load window does not show the saved picture (see $work)"
d=$(rmse "$work/load_empty.png" "$work/before_half.png")
above "$d" 0.05 || fail "the load window showed a picture before a save was chosen (see $work)"
