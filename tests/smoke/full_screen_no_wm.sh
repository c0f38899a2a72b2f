#!/usr/bin/env bash
# Full screen on an X display with no window manager (a kiosk, a bare session), where no one
# acts on a window's full-screen state: Alt+Enter must still make the game window cover the
# screen with the game picture scaled into it, Alt+Enter again must bring back the window
# where it was, and a game last left in full screen must open in full screen, not as a
# window holding only its menu bar. Window Size x2 and x3 keep the window on the screen
# (moved so that it fits, or with its corner at the screen's when it is larger), as a window
# manager would, and a click on the doubled picture still lands on the hotspot under it.
#
# usage: full_screen_no_wm.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

printf 'start\nclick 320 250\nwait 1300\n' > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$game" 2>/dev/null
printf 'start\nclick 320 250\nwait 1100\nclick 548 330\nwait 1500\n' > "$work/path.txt"
"$player" --replay "$work/path.txt" --screenshot "$work/path.png" "$game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player run1.log
start_game
click_game 320 250; sleep 2                                         # on to the beach
window=$(geometry "$gamewin")
echo "window $window" > "$work/facts.txt"
xdotool key alt+Return
echo "full $(settle "$gamewin" 0 0 1280 1024)" >> "$work/facts.txt"; sleep 1
import -window root "$work/full.png"
xdotool key alt+Return
echo "back $(settle "$gamewin" $window)" >> "$work/facts.txt"
window_size() {  # window_size N: Options (the third title), its fourth entry, size N
  read -r x y w h <<< "$(geometry "$gamewin")"
  xdotool mousemove $((x + 220)) $((y + 8)) click 1; sleep 0.7
  xdotool key Down Down Down Down; sleep 0.2
  xdotool key Right; sleep 0.5
  for _ in $(seq 2 "$1"); do xdotool key Down; done
  xdotool key Return; sleep 1.5
}
window_size 2
read -r x y w h <<< "$(geometry "$gamewin")"
echo "doubled $x $y $w $h" >> "$work/facts.txt"
# The cliff path at (548, 330) of the game, drawn twice as large.
xdotool mousemove $((x + 1096)) $((y + h - 960 + 660)) click 1; sleep 2.5
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "1280x960+$x+$((y + h - 960))" +repage "$work/doubled.png"
window_size 3
echo "tripled $(geometry "$gamewin")" >> "$work/facts.txt"
xdotool key alt+Return                                              # and leave it full screen
settle "$gamewin" 0 0 1280 1024 > /dev/null; sleep 1
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run2.log
startup_button 85
gamewin=$(wait_for --name "Lighthouse Keeper")
echo "reopened $(settle "$gamewin" 0 0 1280 1024)" >> "$work/facts.txt"
SESSION

run_session "$game" 1280x1024
cat "$work/facts.txt"

menu=$(( $(field window 4) - 480 ))
[ "$(field full 1),$(field full 2) $(field full 3)x$(field full 4)" = "0,0 1280x1024" ] ||
  fail "Alt+Enter did not make the window cover the screen"
picture_in_screen "$work/full.png" 1280x1024 "$menu" "$work/full_game.png"
same_beach_frame "$work/full_game.png" "$work/expected.png" 0.05 \
  "the full-screen picture and the headless beach"
[ "$(field back 1) $(field back 2) $(field back 3) $(field back 4)" = \
  "$(field window 1) $(field window 2) $(field window 3) $(field window 4)" ] ||
  fail "Alt+Enter back did not restore the window's place and size"
grep -q '^FullScreen=1' "$work"/config/talewick/*.ini || fail "full screen was not remembered"
[ "$(field reopened 3)x$(field reopened 4)" = "1280x1024" ] ||
  fail "the game left in full screen did not open in full screen"
[ "$(field doubled 3)x$(field doubled 4)" = "1280x$((960 + menu))" ] ||
  fail "Window Size x2 did not double the window"
[ "$(field doubled 1)" -ge 0 ] && [ "$(field doubled 2)" -ge 0 ] &&
  [ $(( $(field doubled 2) + $(field doubled 4) )) -le 1024 ] ||
  fail "the doubled window reaches past the screen"
convert "$work/doubled.png" -sample '640x480!' "$work/doubled_game.png"
d=$(rmse "$work/doubled_game.png" "$work/path.png")
echo "difference of the doubled window after a click on the cliff path from the path: $d"
below "$d" 0.05 || fail "the click on the doubled window did not reach the cliff path"
[ "$(field tripled 1) $(field tripled 2) $(field tripled 3)" = "0 0 1920" ] ||
  fail "Window Size x3 did not put the window's corner at the screen's"
echo "ok"
