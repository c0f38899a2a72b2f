#!/usr/bin/env bash
# A play-through recorded in the real window plays back headless to the same state. The
# player runs with --record and --dump-state on a copy of the demo and is played with the
# mouse and keyboard through X: Start, the title clicked, the shell picked up, the sign read
# (its box answered with Enter), the shell dragged onto the sign, the path and the boat
# house, the matches and the wick picked up, the wick dropped onto the matches in the bar,
# a save by S, a typed name and Enter. The player is then told to stop. The recording must
# hold the lines a person would have written (a drag, an item onto an item, an answer, a
# save, with waits between them), and --replay of it on a fresh copy of the game must end
# in the same frame, variables, inventory, history, vanished things, boxes and saved games
# as the recorded session's own dump.
#
# usage: record_replay.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
cp -r "$game" "$work/fresh"   # the game as it was before the recording saved into it

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
until xdotool getdisplaygeometry > /dev/null 2>&1; do sleep 0.1; done
"$player" --record "$work/recorded.txt" --dump-state "$game" \
  > "$work/recorded.json" 2> "$work/player.log" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
start_game
click_game 320 250; sleep 2                                         # on to the beach
click_game 252 412; sleep 3                                         # the shell (item 1)
click_game 110 290                                                  # the sign: a box
exclude=$gamewin wait_for --name "Lighthouse Keeper" > /dev/null; sleep 1.5
xdotool key Return; sleep 1
open_bar
drag_game 26 26 110 290; sleep 2.5                                  # the shell onto the sign
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 1.5
click_game 548 330; sleep 1.5                                       # the path
click_game 130 270; sleep 1.5                                       # the boat house
click_game 172 224; sleep 3                                         # the matches (item 2)
click_game 236 150; sleep 3                                         # the wick (item 3)
open_bar
drag_game 110 26 68 26; sleep 2                                     # the wick onto the matches
xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 1.5
xdotool key s
wait_for --name "Save the current game" > /dev/null; sleep 0.5
xdotool type --delay 60 "Recorded"; xdotool key Return; sleep 1.5
kill -TERM $pid; wait $pid || true
SESSION

run_session "$work/played"

recorded=$work/recorded.txt
[ -s "$recorded" ] || fail "no recording was written"
cat "$recorded"
head -n 1 "$recorded" | grep -q "Lighthouse Keeper" || fail "the recording does not name the game"
for want in '^start$' '^drag 1 ' '^dragitem 3 2$' '^answer ok$' '^save Recorded$' '^wait [0-9]*0$' \
            '^# frame Beach$' '^# inventory \+ Shell$' '^# box '; do
  grep -Eq "$want" "$recorded" || fail "the recording has no line like '$want' (see $recorded)"
done
! grep -Eq '^key S$' "$recorded" || fail "the key that opened the save window was written"

"$player" --replay "$recorded" --dump-state "$work/fresh" > "$work/replayed.json" \
  2> "$work/replay.log" || { cat "$work/replay.log" >&2; fail "the recording does not replay"; }
fields='{frame, history, variables, variants, inventory, disappeared,
         boxes: [.boxes[] | {title, text, answer}], saved_games: [.saved_games[].name]}'
jq -S "$fields" "$work/recorded.json" > "$work/recorded.state" ||
  fail "the recorded session printed no state (see $work/player.log)"
jq -S "$fields" "$work/replayed.json" > "$work/replayed.state"
cat "$work/recorded.state"
diff "$work/recorded.state" "$work/replayed.state" ||
  fail "the replay of the recording ends in another state than the recorded session"
