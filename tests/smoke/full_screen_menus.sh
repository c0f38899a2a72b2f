#!/usr/bin/env bash
# A game made for full screen, in the real window: its menus start hidden; Esc shows them and
# hides them again, and so does the right mouse button; F12 F11 F10 F9 pressed in turn add
# the Debug menu, the same keys in another order do not. The menu bar is read off the top
# strip of the screen.
# Its 640 x 480 game area fills the 1280 x 1024 screen (twice as large, black bars above and
# below), and a click on a hotspot drawn there lands on it, whatever screen size the game
# sees: without the display-size offer, and with its offer of 800 x 600 accepted (where the
# save window must still be usable) or refused.
#
# usage: full_screen_menus.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/game"
# The demo made a full-screen game: the windowed-mode flag (sixth line of General) off.
general=$work/game/Config/General
sed -i '6s/^0,0,#TRUE#\r$/0,0,#FALSE#\r/' "$general"
[ "$(sed -n 6p "$general")" = $'0,0,#FALSE#\r' ] || { echo "no windowed-mode flag to clear" >&2; exit 1; }
# A copy that offers 800 x 600 at start: the offer flag (second line) on, the game's
# resolution code (after the inventory pictures) 1.
cp -r "$work/game" "$work/game800"
sed -i -e '2s/^0\r$/1\r/' -e '5s/"shelf.jpg",0,/"shelf.jpg",1,/' "$work/game800/Config/General"
grep -q '"shelf.jpg",1,' "$work/game800/Config/General" || fail "no resolution code to set"

printf 'start\nclick 320 250\nwait 1300\n' > "$work/beach.txt"
"$player" --replay "$work/beach.txt" --screenshot "$work/beach.png" "$work/game" 2>/dev/null
printf 'start\nclick 320 250\nwait 1100\nclick 548 330\nwait 1500\n' > "$work/path.txt"
"$player" --replay "$work/path.txt" --screenshot "$work/path.png" "$work/game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
bar() {  # bar NAME: the top strip of the screen, where the menu bar shows
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop 400x18+0+0 +repage "$work/$1.png"
}
startup_button 85
sleep 2.5                                                           # the game, full screen
xdotool mousemove 640 512 click 1; sleep 2                          # the title card: on
import -window root "$work/full.png"
# No caption on screen, but the task bar names the game.
xdotool getwindowname "$(wait_for --name "Lighthouse Keeper")" > "$work/title.txt"
bar hidden
xdotool key Escape; sleep 0.7; bar esc_shown
xdotool key Escape; sleep 0.7; bar esc_hidden
xdotool click 3; sleep 0.7; bar right_shown
xdotool key F12 F11 F9 F10; sleep 0.7; bar wrong_order
xdotool key F12 F11 F10 F9; sleep 0.7; bar debug
xdotool click 3; sleep 0.7; bar right_hidden
# The cliff path at (548, 330) of the game, drawn twice as large below a 32-pixel bar.
xdotool mousemove 1096 692 click 1; sleep 2.5
import -window root "$work/path_full.png"
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

# The offer accepted: the game sees an 800 x 600 screen; its save window opens over the game.
game=$work/game800
launch_player run2.log
startup_button 85
sleep 3.5
xdotool mousemove 640 512 click 1; sleep 2
import -window root "$work/accepted.png"
xdotool key s
wait_for --name "Save the current game" > /dev/null; sleep 0.5
xdotool type --delay 60 "Scaled"; xdotool key Return; sleep 1
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true

# The offer refused: its check box, below the buttons, cleared with a click.
launch_player run3.log
startup=$(wait_for --class talewick-player); sleep 1
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + 30)) $((Y + 242)) click 1; sleep 0.5
xdotool mousemove $((X + WIDTH / 2)) $((Y + 85)) click 1
sleep 2.5
xdotool mousemove 640 512 click 1; sleep 2
import -window root "$work/refused.png"
SESSION

run_session "$work/game" 1280x1024

same() {  # same A B WHAT
  local d; d=$(rmse "$work/$1.png" "$work/$2.png")
  echo "difference of the bar, $3: $d"
  below "$d" 0.005 || fail "$3: the bar changed (see $work)"
}
differs() {  # differs A B WHAT
  local d; d=$(rmse "$work/$1.png" "$work/$2.png")
  echo "difference of the bar, $3: $d"
  above "$d" 0.02 || fail "$3: the bar did not change (see $work)"
}
[ "$(cat "$work/title.txt")" = "The Lighthouse Keeper's Lamp" ] ||
  fail "the full-screen window is not named after the game: $(cat "$work/title.txt")"
mean=$(convert "$work/hidden.png" -format '%[fx:mean]' info:)
echo "brightness of the top strip at the start: $mean"
below "$mean" 0.01 || fail "the menus of a full-screen game are shown at the start"
differs hidden esc_shown "Esc shows the menus"
same hidden esc_hidden "a second Esc hides them"
same esc_shown right_shown "the right button shows them as Esc did"
same right_shown wrong_order "F12 F11 F9 F10 add nothing"
differs right_shown debug "F12 F11 F10 F9 add the Debug menu"
same hidden right_hidden "the right button hides them"

# The game area twice as large, in the middle of the screen.
fills() {  # fills SHOT EXPECTED WHAT
  picture_in_screen "$work/$1.png" 1280x1024 0 "$work/$1_game.png"
  same_beach_frame "$work/$1_game.png" "$work/$2.png" 0.05 "$3" ||
    fail "$3: the game area does not fill the screen (see $work)"
}
fills full beach "the full-screen game without the offer"
picture_in_screen "$work/path_full.png" 1280x1024 0 "$work/path_full_game.png"
d=$(rmse "$work/path_full_game.png" "$work/path.png")
echo "difference of the scaled screen after a click on the cliff path from the path: $d"
below "$d" 0.05 || fail "the click on the scaled cliff path did not lead to the path (see $work)"
fills accepted beach "the offer of 800 x 600 accepted"
[ -f "$work/game800/Scaled.sav" ] || fail "the save window over the scaled game saved nothing"
grep -q '^ChangeResolution=0' "$work"/config/talewick/*.ini || fail "the offer was not refused"
fills refused beach "the offer refused"
echo "ok"
