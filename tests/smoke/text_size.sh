#!/usr/bin/env bash
# Options > Text Size in the real window: the quit question's box is taken at 100 %; then the
# player picks Options > Text Size > 200 % with the keyboard, and the same box is taken again.
# Its text must be about twice as tall (the height of the dark rows of its caption text),
# while the game area is the same picture as before.
#
# usage: text_size.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
start_game
game_area "$work/area100.png"
# box NAME: Q, the quit question's box taken as NAME.png, answered No.
box() {
  xdotool key q
  local b
  b=$(exclude=$gamewin wait_for --name "Lighthouse Keeper"); sleep 0.7
  import -window "$b" "$work/$1.png"
  xdotool key Escape; sleep 0.5
}
box box100
xdotool mousemove $((ox + 220)) $((oy - 10)) click 1; sleep 0.7   # Options
xdotool key Up Up; sleep 0.3                                       # Text Size, before the last
xdotool key Right; sleep 0.5; xdotool key Down Down Return; sleep 1  # 200 %
find_game_window                                           # its menu bar is taller now
game_area "$work/area200.png"
box box200
SESSION

run_session "$game"
# text_height PNG: rows of the box's upper half, right of its icon (48 pixels, the same at
# every text size), that hold dark pixels, from the first such row to the last: the height of
# the question's text.
text_height() {
  local w h
  read -r w h <<< "$(identify -format "%w %h" "$1")"
  convert "$1" -crop "$((w - 48))x$((h / 2))+48+0" +repage -colorspace Gray -threshold 35% \
    -negate -trim -format "%h" info: 2> /dev/null
}
h100=$(text_height "$work/box100.png"); h200=$(text_height "$work/box200.png")
echo "the box's text: $h100 pixels high at 100 %, $h200 at 200 %"
awk -v a="$h100" -v b="$h200" 'BEGIN { exit !(a > 4 && b / a > 1.7 && b / a < 2.3) }' ||
  fail "the text did not grow about twice (see $work/box100.png, $work/box200.png)"
same=$(rmse "$work/area100.png" "$work/area200.png")
echo "the game area at 100 % and 200 % differs by $same"
below "$same" 0.02 || fail "the text size changed the game's picture (see $work/area200.png)"
echo "ok"
