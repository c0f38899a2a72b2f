#!/usr/bin/env bash
# The game window under a real window manager (Openbox) in Xvfb, with xdotool and wmctrl:
#   - the first move of the window sticks (it used to jump back, 20 pixels lower);
#   - full screen asked for by the window manager scales the game picture into the whole
#     screen below the menu bar, and leaving it puts the window back where it was;
#   - Alt+Enter does the same from the keyboard, and again brings the window back;
#   - a window resized by the player scales its picture;
#   - F8 saves the game area as a PNG in the Pictures folder;
#   - Options > Window Size > x2, chosen with the mouse and the menu's keys, doubles the
#     window, and a click on the doubled picture lands on the game pixel under it (the
#     path's back arrow leads back to the beach); the choices are remembered for the game.
# Each picture is compared with what the headless player paints for the same frame.
#
# usage: window_manager.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@" config home

printf 'start\nclick 320 250\nwait 1100\nclick 548 330\nwait 1500\n' > "$work/replay.txt"
XDG_CONFIG_HOME="$work/config" "$player" --replay "$work/replay.txt" \
  --screenshot "$work/expected.png" "$game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
openbox > "$work/openbox.log" 2>&1 &
wm=$!
sleep 1
"$player" "$game" > "$work/player.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; kill $wm 2>/dev/null || true' EXIT
. "$SMOKE_LIB"
shot() {  # shot NAME X Y W H: that part of the screen
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$4x$5+$2+$3" +repage "$work/$1.png"
}
startup_button 85
gamewin=$(wait_for --name "Lighthouse Keeper"); sleep 1
read -r x y w h <<< "$(geometry "$gamewin")"
menu=$((h - 480))
xdotool mousemove $((x + 320)) $((y + menu + 250)) click 1; sleep 1.5   # the beach
xdotool mousemove $((x + 548)) $((y + menu + 330)) click 1; sleep 2     # the cliff path
shot window "$x" $((y + menu)) 640 480
echo "menu $menu" > "$work/positions.txt"

xdotool windowmove "$gamewin" 100 80; sleep 1
echo "moved $(geometry "$gamewin")" >> "$work/positions.txt"
read -r x y w h <<< "$(geometry "$gamewin")"

wmctrl -i -r "$gamewin" -b add,fullscreen; sleep 1.5
echo "wm_full $(geometry "$gamewin")" >> "$work/positions.txt"
shot wm_full 0 0 1600 1200
wmctrl -i -r "$gamewin" -b remove,fullscreen; sleep 1.5
echo "wm_back $(geometry "$gamewin")" >> "$work/positions.txt"

xdotool windowactivate --sync "$gamewin" 2>/dev/null || true
xdotool mousemove $((x + 320)) $((y + menu + 10)); sleep 0.3
xdotool key alt+Return; sleep 1.5
echo "key_full $(geometry "$gamewin")" >> "$work/positions.txt"
shot key_full 0 0 1600 1200
xdotool key alt+Return; sleep 1.5
echo "key_back $(geometry "$gamewin")" >> "$work/positions.txt"

xdotool windowsize "$gamewin" 960 $((720 + menu)); sleep 1.5
read -r x y w h <<< "$(geometry "$gamewin")"
echo "resized $x $y $w $h" >> "$work/positions.txt"
shot resized "$x" $((y + menu)) 960 720
xdotool key F8; sleep 1
# Options (the third title of the menu bar), then its fourth entry and the second size.
xdotool mousemove $((x + 220)) $((y + menu / 2)) click 1; sleep 0.7
xdotool key Down Down Down Down; sleep 0.2
xdotool key Right; sleep 0.5
xdotool key Down Return; sleep 1.5
read -r x y w h <<< "$(geometry "$gamewin")"
echo "doubled $x $y $w $h" >> "$work/positions.txt"
shot doubled "$x" $((y + menu)) 1280 960
# The back arrow at (46, 386) of the game, drawn twice as large.
xdotool mousemove $((x + 92)) $((y + menu + 772)) click 1; sleep 2.5
shot after_back "$x" $((y + menu)) 1280 960
SESSION

run_session "$game" 1600x1200
cat "$work/positions.txt"
field() { awk -v k="$1" -v n="$2" '$1 == k {print $(n + 1)}' "$work/positions.txt"; }

check_picture() {  # check_picture PNG LIMIT WHAT
  local d
  d=$(rmse "$1" "$work/expected.png")
  echo "difference of $3 from the headless path frame: $d"
  below "$d" "$2" || fail "$3 does not show the game picture (see $work)"
}

check_picture "$work/window.png" 0.03 "the window"
[ "$(field moved 1) $(field moved 2)" != "" ] || fail "no position after the move"
mx=$(field moved 1); my=$(field moved 2)
# The first move sticks: the inside lies just inside the frame placed at (100, 80).
[ "$mx" -ge 100 ] && [ "$mx" -le 110 ] && [ "$my" -ge 80 ] && [ "$my" -le 110 ] ||
  fail "the first move did not stick: the window is at $mx, $my"

[ "$(field wm_full 3)x$(field wm_full 4)" = "1600x1200" ] || fail "the window manager's full screen was refused"
picture_in_screen "$work/wm_full.png" 1600x1200 "$(field menu 1)" "$work/wm_full_game.png"
check_picture "$work/wm_full_game.png" 0.05 "full screen by the window manager"
[ "$(field wm_back 1) $(field wm_back 2)" = "$mx $my" ] || fail "leaving full screen lost the window's place"
[ "$(field wm_back 3)x$(field wm_back 4)" = "640x$((480 + $(field menu 1)))" ] || fail "leaving full screen lost the window's size"

[ "$(field key_full 3)x$(field key_full 4)" = "1600x1200" ] || fail "Alt+Enter did not make the window full screen"
picture_in_screen "$work/key_full.png" 1600x1200 "$(field menu 1)" "$work/key_full_game.png"
check_picture "$work/key_full_game.png" 0.05 "full screen by Alt+Enter"
[ "$(field key_back 1) $(field key_back 2)" = "$mx $my" ] || fail "Alt+Enter back did not restore the window's place"

[ "$(field resized 3)" = "960" ] || fail "the window could not be resized"
convert "$work/resized.png" -resize '640x480!' "$work/resized_game.png"
check_picture "$work/resized_game.png" 0.05 "the resized window"
shots=("$work"/home/Pictures/*.png)
[ -f "${shots[0]}" ] || fail "F8 saved no screenshot in the Pictures folder"
check_picture "${shots[0]}" 0.03 "the screenshot"
[ "$(field doubled 3)x$(field doubled 4)" = "1280x$((960 + $(field menu 1)))" ] ||
  fail "Window Size x2 did not double the window"
convert "$work/doubled.png" -sample '640x480!' "$work/doubled_game.png"
check_picture "$work/doubled_game.png" 0.03 "the doubled window"
grep -q '^WindowSize=2' "$work"/config/talewick/*.ini || fail "the window size was not remembered"
convert "$work/after_back.png" -resize '640x480!' "$work/after_back_game.png"
d=$(rmse "$work/after_back_game.png" "$work/expected.png")
echo "difference after the click on the doubled back arrow: $d"
below "$d" 0.1 && fail "the click on the scaled picture did not reach the back arrow"
echo "ok"
