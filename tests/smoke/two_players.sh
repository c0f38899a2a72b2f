#!/usr/bin/env bash
# Two players at once under a window manager (Openbox): the first one plays its game, the
# second one's start-up window opens. That start-up window must not sit exactly over the
# first one's game (the second player's windows open further right and down), must not be
# "always on top" of every program, and a click on the first game must bring that game
# above it.
#
# usage: two_players.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@" config home run
chmod 700 "$work/run"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
export XDG_CONFIG_HOME="$work/config" HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
openbox > "$work/openbox.log" 2>&1 &
wm=$!
sleep 1
"$player" "$game" > "$work/first.log" 2>&1 &
first=$!
trap 'kill $first ${second:-} $wm 2>/dev/null || true' EXIT
. "$SMOKE_LIB"
startup=$(wait_for --class talewick-player); sleep 1
echo "first_startup $(geometry "$startup")" > "$work/facts.txt"
startup_button 85
game1=$(wait_for --name "Lighthouse Keeper"); sleep 1
echo "first_game $(geometry "$game1")" >> "$work/facts.txt"

"$player" "$game" > "$work/second.log" 2>&1 &
second=$!
startup2=$(exclude=$game1 wait_for --class talewick-player); sleep 1.5
echo "second_startup $(geometry "$startup2")" >> "$work/facts.txt"
echo "second_state $(xprop -id "$startup2" _NET_WM_STATE)" >> "$work/facts.txt"
# A click on a part of the first game that the second start-up window leaves free.
read -r gx gy gw gh <<< "$(geometry "$game1")"
xdotool mousemove $((gx + 20)) $((gy + gh - 20)) click 1; sleep 1
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
top=""
for w in $stacking; do
  [ $((w)) -eq "$game1" ] && top=game
  [ $((w)) -eq "$startup2" ] && top=startup
done
echo "on_top $top" >> "$work/facts.txt"
SESSION

run_session "$game"
cat "$work/facts.txt"

# Centres of the first game and of the second start-up window.
c1x=$(( $(field first_game 1) + $(field first_game 3) / 2 ))
c1y=$(( $(field first_game 2) + $(field first_game 4) / 2 ))
s1x=$(( $(field first_startup 1) + $(field first_startup 3) / 2 ))
c2x=$(( $(field second_startup 1) + $(field second_startup 3) / 2 ))
c2y=$(( $(field second_startup 2) + $(field second_startup 4) / 2 ))
[ "$s1x" -ge $((c1x - 2)) ] && [ "$s1x" -le $((c1x + 2)) ] ||
  fail "the first start-up window was not centred where its game is"
[ $(( (c2x - c1x) * (c2x - c1x) + (c2y - c1y) * (c2y - c1y) )) -ge $((32 * 32)) ] ||
  fail "the second start-up window sits over the first game ($c2x,$c2y against $c1x,$c1y)"
grep second_state "$work/facts.txt" | grep -q '_NET_WM_STATE_ABOVE' &&
  fail "the second start-up window is kept above every program"
[ "$(field on_top 1)" = game ] || fail "a click on the first game did not bring it above the second start-up window"
echo "ok"
