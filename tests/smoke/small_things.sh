#!/usr/bin/env bash
# F8 in the real window, under Openbox, says that it saved the screenshot: a note along the
# bottom of the game picture that the saved PNG does not hold, gone 2.5 s later.
#
# usage: small_things.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@" config home

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
openbox > "$work/openbox.log" 2>&1 &
wm=$!
sleep 1
. "$SMOKE_LIB"
launch_player
trap 'kill $pid 2>/dev/null || true; kill $wm 2>/dev/null || true' EXIT
start_game
read -r x y w h <<< "$(geometry "$gamewin")"
ox=$x; oy=$((y + h - 480))  # the inside, below the window manager's title bar
echo "game $x $y $w $h" > "$work/facts.txt"
xprop -id "$gamewin" _NET_FRAME_EXTENTS | tr -d , | awk '{print "game_frame", $3, $4, $5, $6}' \
  >> "$work/facts.txt"
click_game 320 250; sleep 1.5                                    # the beach
game_area "$work/before_f8.png"
xdotool key F8; sleep 0.5
game_area "$work/note.png"
sleep 2.5
game_area "$work/after_note.png"
# Q asks a short question under the game's long title: the box must be wide enough for
# Openbox to show the whole caption (its icon, text and three buttons take about 280 pixels).
xdotool key q
exclude=$gamewin box=$(wait_for --name "Lighthouse Keeper"); sleep 0.5
echo "box $(geometry "$box")" >> "$work/facts.txt"
import -window root "$work/box.png"
xdotool key Escape; sleep 0.5

SESSION

run_session "$game"
cat "$work/facts.txt"

# F8: the note shows at the bottom, the saved PNG is the picture without it, then it goes.
d=$(rmse "$work/before_f8.png" "$work/note.png" 640x40+0+440)
echo "bottom of the picture with the note against before F8: $d"
above "$d" 0.05 || fail "F8 shows no note (see $work)"
shots=("$work"/home/Pictures/*.png)
[ -f "${shots[0]}" ] || fail "F8 saved no screenshot"
d=$(rmse "${shots[0]}" "$work/before_f8.png" 640x146+0+334)
echo "the saved screenshot against the picture before F8: $d"
below "$d" 0.03 || fail "the saved screenshot holds the note (see $work)"
d=$(rmse "$work/after_note.png" "$work/before_f8.png" 640x146+0+334)
echo "2.5 s after F8 against before: $d"
below "$d" 0.03 || fail "the note is still there 2.5 s after F8 (see $work)"

echo "the quit question's box: $(field box 3) pixels wide"
[ "$(field box 3)" -ge 280 ] || fail "the box is too narrow for its caption (see $work/box.png)"

echo "ok"
