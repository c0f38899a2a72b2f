#!/usr/bin/env bash
# A game on two CDs in the real window: the demo game with the beach picture on one CD
# folder and the cliff path's on another. Start, click the title card: the CD window asks
# for CD 1; the first CD's folder is typed and OK pressed. On the beach, the path: the CD
# window asks for CD 2. The window must end on the cliff path, as the same inputs give
# headless with "drive" lines.
#
# usage: two_cd_window.sh PLAYER DEMO_GAME WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
title="The Lighthouse Keeper's Lamp"
cp -r "$game" "$work/game"
mkdir -p "$work/cd1/Data/$title/Frames" "$work/cd2/Data/$title/Frames"
mv "$work/game/Frames/beach.jpg" "$work/cd1/Data/$title/Frames/beach.005"
mv "$work/game/Frames/path.jpg" "$work/cd2/Data/$title/Frames/path.005"
: > "$work/game/RunFromCD.dat"
printf '"","","",2,"",""\r\n"beach.jpg",1,1\r\n"path.jpg",2,1\r\n' > "$work/game/Config/CDContents"

printf 'start\nclick 320 250\ndrive %s\nwait 2000\nclick 548 330\ndrive %s\nwait 3000\n' \
  "$work/cd1" "$work/cd2" > "$work/replay.txt"
"$player" --replay "$work/replay.txt" --screenshot "$work/expected.png" "$work/game" 2>/dev/null

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player  # the chosen drive is remembered in the test's own settings folder
# The CD window: the program's 360 x 220 pixel window.
cd_window() {
  for _ in $(seq 1 100); do
    for w in $(xdotool search --onlyvisible --class talewick-player 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      if [ "$WIDTH" = 360 ] && [ "$HEIGHT" = 220 ]; then echo "$w"; return 0; fi
    done
    sleep 0.1
  done
  echo "no CD window" >&2; return 1
}
# Types a folder into the drive text and presses OK.
answer_cd() {
  local w=$1 folder=$2
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove $((X + 100)) $((Y + 96)) click 1
  for _ in $(seq 1 60); do xdotool key BackSpace; done
  xdotool type --delay 5 "$folder"
  sleep 0.3
  import -window root "$work/cd_typed.png"
  xdotool mousemove $((X + 228)) $((Y + 196)) click 1
}

start_game
click_game 320 250

w=$(cd_window)
sleep 0.5
import -window root "$work/cd_window1.png"
eval "$(xdotool getwindowgeometry --shell "$w")"
convert "$work/cd_window1.png" -crop "360x220+$X+$Y" +repage "$work/cd_window.png"
answer_cd "$w" "$work/cd1"
sleep 2.5  # the title fades into the beach
click_game 548 330
w=$(cd_window)
sleep 0.5
import -window root "$work/cd_window2.png"
answer_cd "$w" "$work/cd2"
sleep 4  # the beach slides away to the cliff path
game_area "$work/actual.png"
SESSION

run_session "$work/game"

difference=$(rmse "$work/actual.png" "$work/expected.png")
echo "difference between the window and the headless picture: $difference"
below "$difference" 0.03 || {
  echo "the window does not show the cliff path reached from both CDs" >&2
  exit 1
}
