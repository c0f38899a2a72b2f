#!/usr/bin/env bash
# While an action's video plays, the game waits for it without spinning a processor: a saved
# game at the lit-lamp moment is made headlessly, loaded in the real window, and the matches
# are dragged from the inventory bar onto the lamp with the real mouse. During the three
# seconds of the beam video the program may use at most half of one processor (polling flat
# out, it used all it was given), and the cut-scene area must really show the video.
#
# usage: video_wait.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
export SMOKE_LIB="$(cd "$(dirname "$0")" && pwd)/lib.sh"
player=$1
game=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
cp -r "$game" "$work/game"

# The play-through up to the oiled wick fitted into the lamp, then a save.
awk '/^drag 2 320 250/ { exit } !/^#/ { print }' "$game/walkthrough.txt" > "$work/replay.txt"
echo "save Lamp" >> "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/before.png" "$work/game" 2>/dev/null
[ -f "$work/game/Lamp.sav" ] || { echo "the replay did not save the game" >&2; exit 1; }

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
"$player" "$game" > "$work/player.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
. "$SMOKE_LIB"  # wait_for
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }  # user + system time
startup=$(wait_for --class talewick-player); sleep 1
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 117)) click 1          # Load
wait_for --name "Load a previously saved game" > /dev/null; sleep 0.5
xdotool key Down; xdotool key Return; sleep 3
gamewin=$(wait_for --name "Lighthouse Keeper")
eval "$(xdotool getwindowgeometry --shell "$gamewin")"
ox=$X; oy=$((Y + HEIGHT - 480))
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 0.5
xdotool mousemove $((ox + 10)) $((oy + 10)); sleep 1.5             # the bar opens
xdotool mousemove $((ox + 68)) $((oy + 26)); sleep 0.5             # over the matches
xdotool mousedown 1; sleep 0.2
for k in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((ox + 68 + (320 - 68) * k / 8)) $((oy + 26 + (250 - 26) * k / 8))
  sleep 0.05
done
sleep 0.2; xdotool mouseup 1; sleep 0.5                            # onto the lamp
t0=$(date +%s%N); c0=$(ticks)
sleep 1
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "640x480+$ox+$oy" +repage "$work/during.png"
sleep 1
t1=$(date +%s%N); c1=$(ticks)
echo "$((c1 - c0)) $(getconf CLK_TCK) $(( (t1 - t0) / 1000000 ))" > "$work/cpu.txt"
SESSION

xvfb-run -a -s "-screen 0 1280x960x24" bash "$work/session.sh" "$player" "$work/game" "$work"

# The cut-scene area (320 x 240 at 160, 120) shows the video, not the lamp room.
for picture in during before; do
  convert "$work/$picture.png" -crop 320x240+160+120 +repage "$work/${picture}_cut.png"
done
difference=$(compare -metric RMSE "$work/during_cut.png" "$work/before_cut.png" null: 2>&1 |
             sed -n 's/.*(\(.*\)).*/\1/p' || true)
echo "difference between the cut-scene area and the lamp room: $difference"
awk -v d="$difference" 'BEGIN { exit !(d != "" && d > 0.1) }' || {
  echo "no video in the cut-scene area (see $work)" >&2
  exit 1
}
read -r ticks per_second ms < "$work/cpu.txt"
share=$(awk -v t="$ticks" -v s="$per_second" -v ms="$ms" 'BEGIN { printf "%.2f", t / s / (ms / 1000) }')
echo "processor used while the video played: $share of one processor over $ms ms"
awk -v s="$share" 'BEGIN { exit !(s < 0.5) }' || {
  echo "the wait for the video keeps a processor busy" >&2
  exit 1
}
