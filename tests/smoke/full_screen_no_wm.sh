#!/usr/bin/env bash
# Full screen on an X display with no window manager (a kiosk, a bare session), where no one
# acts on a window's full-screen state: Alt+Enter must still make the game window cover the
# screen with the game picture scaled into it, Alt+Enter again must bring back the window
# where it was, and a game last left in full screen must open in full screen, not as a
# window holding only its menu bar.
#
# usage: full_screen_no_wm.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

printf 'start\nclick 320 250\nwait 1300\n' > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$game" 2>/dev/null

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
echo "full $(settle "$gamewin" 0 0 1280 960)" >> "$work/facts.txt"; sleep 1
import -window root "$work/full.png"
xdotool key alt+Return
echo "back $(settle "$gamewin" $window)" >> "$work/facts.txt"
xdotool key alt+Return                                              # and leave it full screen
settle "$gamewin" 0 0 1280 960 > /dev/null; sleep 1
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

launch_player run2.log
startup_button 85
gamewin=$(wait_for --name "Lighthouse Keeper")
echo "reopened $(settle "$gamewin" 0 0 1280 960)" >> "$work/facts.txt"
SESSION

run_session "$game"
cat "$work/facts.txt"

menu=$(( $(field window 4) - 480 ))
[ "$(field full 1),$(field full 2) $(field full 3)x$(field full 4)" = "0,0 1280x960" ] ||
  fail "Alt+Enter did not make the window cover the screen"
picture_in_screen "$work/full.png" 1280x960 "$menu" "$work/full_game.png"
same_beach_frame "$work/full_game.png" "$work/expected.png" 0.05 \
  "the full-screen picture and the headless beach"
[ "$(field back 1) $(field back 2) $(field back 3) $(field back 4)" = \
  "$(field window 1) $(field window 2) $(field window 3) $(field window 4)" ] ||
  fail "Alt+Enter back did not restore the window's place and size"
grep -q '^FullScreen=1' "$work"/config/talewick/*.ini || fail "full screen was not remembered"
[ "$(field reopened 3)x$(field reopened 4)" = "1280x960" ] ||
  fail "the game left in full screen did not open in full screen"
echo "ok"
