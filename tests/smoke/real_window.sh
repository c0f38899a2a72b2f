#!/usr/bin/env bash
# The real program in a real X window: start the demo game from its start-up window with
# the mouse, click into the first frame, and check that the window shows what the headless
# player paints for the same inputs.
#
# usage: real_window.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
export SMOKE_LIB="$(cd "$(dirname "$0")" && pwd)/lib.sh"
player=$1
game=$2
work=$3
rm -rf "$work"
mkdir -p "$work"

# What the game area must show after Start and a click on the title picture.
printf 'start\nclick 320 250\nwait 1300\n' > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
"$player" "$game" > "$work/player.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

. "$SMOKE_LIB"  # wait_for

# The start-up window: its Start button is the first of the three, centred.
startup=$(wait_for --class talewick-player)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 85)) click 1

# The game window: a caption-less X window here (no window manager), its menu bar above
# the 640 x 480 game area.
gamewin=$(wait_for --name "Lighthouse Keeper")
sleep 1
eval "$(xdotool getwindowgeometry --shell "$gamewin")"
top=$((Y + HEIGHT - 480))
xdotool mousemove $((X + 320)) $((top + 250)) click 1
sleep 2
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "640x480+$X+$top" +repage "$work/actual.png"
SESSION

xvfb-run -a -s "-screen 0 1280x960x24" bash "$work/session.sh" "$player" "$game" "$work"

# Root mean square difference over all channels, 0 (same) to 1; fonts and scaling may
# differ by a few levels, another frame differs by far more.
# The sea ripples and the gull flies on their own clocks: compare the picture above the gull
# and below the sea, which must match the headless picture.
for part in 640x148+0+0 640x146+0+334; do
  convert "$work/actual.png" -crop "$part" +repage "$work/actual_part.png"
  convert "$work/expected.png" -crop "$part" +repage "$work/expected_part.png"
  difference=$(compare -metric RMSE "$work/actual_part.png" "$work/expected_part.png" null: 2>&1 |
               sed -n 's/.*(\(.*\)).*/\1/p' || true)
  echo "difference between the window and the headless picture ($part): $difference"
  awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.03) }' || {
    echo "the window does not show the expected frame (see $work)" >&2
    exit 1
  }
done
