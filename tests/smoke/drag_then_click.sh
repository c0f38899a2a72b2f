#!/usr/bin/env bash
# Drag and drop with the real mouse, then a quick click: in the demo's beach the shell is
# picked up, dragged from the inventory bar onto the signpost (press, moves, release through
# X), and right after the release the pointer moves onto the cliff path and clicks. That
# click must act: the game area must then show the path frame, as the headless player paints
# it. The bar is also checked to be still open right after the release (the pointer moves of
# a drag do not close it), which shows that a drag really took place.
#
# usage: drag_then_click.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
export SMOKE_LIB="$(cd "$(dirname "$0")" && pwd)/lib.sh"
player=$1
game=$2
work=$3
rm -rf "$work"
mkdir -p "$work"

printf 'start\nclick 320 250\nwait 1100\nclick 252 412\nwait 6000\nclick 548 330\nwait 1500\n' \
  > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
"$player" "$game" > "$work/player.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
. "$SMOKE_LIB"  # wait_for
area() {  # area PNG: the 640 x 480 game area
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "640x480+$ox+$oy" +repage "$1"
}
startup=$(wait_for --class talewick-player); sleep 1
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 85)) click 1
gamewin=$(wait_for --name "Lighthouse Keeper"); sleep 1
eval "$(xdotool getwindowgeometry --shell "$gamewin")"
ox=$X; oy=$((Y + HEIGHT - 480))
xdotool mousemove $((ox + 320)) $((oy + 250)) click 1; sleep 1.5   # on to the beach
xdotool mousemove $((ox + 252)) $((oy + 412)) click 1; sleep 3     # the shell
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 1             # the bar closes
xdotool mousemove $((ox + 10)) $((oy + 10)); sleep 1               # the button opens it
xdotool mousemove $((ox + 26)) $((oy + 26)); sleep 0.5             # over the shell's icon
area "$work/bar_open.png"
xdotool mousedown 1; sleep 0.2
for k in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((ox + 26 + (110 - 26) * k / 8)) $((oy + 26 + (290 - 26) * k / 8))
  sleep 0.05
done
sleep 0.2
xdotool mouseup 1; sleep 0.5
area "$work/dropped.png"
xdotool mousemove $((ox + 548)) $((oy + 330)); sleep 0.1; xdotool click 1
sleep 3
area "$work/actual.png"
SESSION

xvfb-run -a -s "-screen 0 1280x960x24" bash "$work/session.sh" "$player" "$game" "$work"

rmse() {  # rmse A B GEOMETRY: root mean square difference of a part of two pictures, 0 to 1
  convert "$1" -crop "$3" +repage "$work/a_part.png"
  convert "$2" -crop "$3" +repage "$work/b_part.png"
  compare -metric RMSE "$work/a_part.png" "$work/b_part.png" null: 2>&1 |
    sed -n 's/.*(\(.*\)).*/\1/p' || true
}
below() { awk -v d="$1" -v limit="$2" 'BEGIN { exit !(d != "" && d < limit) }'; }

# The bar (52 pixels at the top) is still open after the drop, as it was before the press.
d=$(rmse "$work/dropped.png" "$work/bar_open.png" 640x52+0+0)
echo "difference of the bar before the drag and after the drop: $d"
below "$d" 0.03 || { echo "no drag took place: the bar closed (see $work)" >&2; exit 1; }

# The click right after the drop went on to the path.
for part in 640x148+0+0 640x146+0+334; do
  d=$(rmse "$work/actual.png" "$work/expected.png" "$part")
  echo "difference between the window and the headless path frame ($part): $d"
  below "$d" 0.03 || { echo "the click after the drop did not act (see $work)" >&2; exit 1; }
done
