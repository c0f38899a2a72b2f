#!/usr/bin/env bash
# One Esc cuts a video short in the real window, picture and sound at once: a saved game at
# the lit-lamp moment is made headlessly and loaded; the matches are dragged onto the lamp
# with the real mouse, and a little over a second into the three-second beam video Esc is
# pressed, once. The player plays into a sound server of the test's own, which is recorded:
# the video's sound must have been playing before Esc and be gone within 100 ms of it, and a
# tenth of a second after Esc the cut-scene area must show the lit lamp room as the headless
# player paints it after the video.
#
# usage: escape_video.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/game"

# The play-through up to the oiled wick fitted into the lamp, then a save; and the lit lamp
# room after the video, headless.
walkthrough_before "drag 2 320 250" > "$work/upto.txt"
{ cat "$work/upto.txt"; echo "save Lamp"; } > "$work/save.txt"
{ cat "$work/upto.txt"; printf 'drag 2 320 250\nwait 1000\n'; } > "$work/lit.txt"
for name in save lit; do
  "$player" --replay "$work/$name.txt" --screenshot "$work/$name.png" "$work/game" 2>/dev/null
done
[ -f "$work/game/Lamp.sav" ] || { echo "the replay did not save the game" >&2; exit 1; }

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
start_sound_server
launch_player
load_newest_save
open_bar
record_sound "$work/sound.raw"
drag_game 68 26 320 250                                             # the matches onto the lamp
sleep 0.5; game_area "$work/video.png"
sleep 0.5
echo "escape $(sound_position)" > "$work/facts.txt"; xdotool key Escape
sleep 0.1; game_area "$work/after_escape.png"
sleep 0.5; stop_recording
SESSION

run_session "$work/game"

# The cut-scene area: 320 x 240 at 160, 120.
d=$(rmse "$work/video.png" "$work/lit.png" 320x240+160+120)
echo "difference of the cut-scene area before Esc from the lit lamp room: $d"
above "$d" 0.1 || fail "no video was playing when Esc was pressed (see $work)"
d=$(rmse "$work/after_escape.png" "$work/lit.png" 320x240+160+120)
echo "difference of the cut-scene area 0.1 s after Esc from the lit lamp room: $d"
below "$d" 0.05 || fail "one Esc did not end the video's picture (see $work)"

# The sound, in 10 ms steps: the video's is far above anything else the lamp room plays.
escape=$(field escape 1)
sound_levels "$work/sound.raw" > "$work/levels.txt"
read -r before after <<< "$(awk -v e="$escape" '
  $1 < e && $1 >= e - 52920 && $2 > -40 { before++ }    # the 300 ms before Esc
  $2 > -40 && $1 > last { last = $1 }
  END { printf "%d %d\n", before, (last - e) / 176.4 + 10 }' "$work/levels.txt")"
echo "10 ms steps with the video's sound in the 300 ms before Esc: $before of 30"
echo "the sound went on after Esc for: $after ms"
[ "$before" -ge 25 ] || fail "the video's sound was not playing when Esc was pressed (see $work)"
[ "$after" -le 100 ] || fail "one Esc did not end the video's sound within 100 ms (see $work)"
