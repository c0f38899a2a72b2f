#!/usr/bin/env bash
# A game made for full screen, in the real window: its menus start hidden; Esc shows them and
# hides them again, and so does the right mouse button; F12 F11 F10 F9 pressed in turn add
# the Debug menu, the same keys in another order do not. The menu bar is read off the top
# strip of the screen.
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
xdotool mousemove 640 480 click 1; sleep 2                          # the title card: on
# No caption on screen, but the task bar names the game.
xdotool getwindowname "$(wait_for --name "Lighthouse Keeper")" > "$work/title.txt"
bar hidden
xdotool key Escape; sleep 0.7; bar esc_shown
xdotool key Escape; sleep 0.7; bar esc_hidden
xdotool click 3; sleep 0.7; bar right_shown
xdotool key F12 F11 F9 F10; sleep 0.7; bar wrong_order
xdotool key F12 F11 F10 F9; sleep 0.7; bar debug
xdotool click 3; sleep 0.7; bar right_hidden
SESSION

run_session "$work/game"

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
echo "ok"
