#!/usr/bin/env bash
# The start-up window has no caption bar: pressing on its background or on one of its labels
# and moving drags the whole window. Dragged with the real mouse, it must follow the pointer
# and stay where it was let go, its buttons still working there; a press on a button and a
# move must not drag it.
#
# Before that, its buttons answer as buttons: Start looks lighter under the pointer, different
# again while held, and as at rest once the pointer is dragged off it and let go (which must
# not start the game); Tab moves the keyboard's focus frame from Start to Load.
#
# usage: startup_drag.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
startup=$(wait_for --class talewick-player); sleep 1
# drag X0 Y0 DX DY: press at that point of the screen, move by DX DY in ten steps, release.
drag() {
  xdotool mousemove "$1" "$2"; sleep 0.3
  xdotool mousedown 1; sleep 0.2
  local k
  for k in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $(($1 + $3 * k / 10)) $(($2 + $4 * k / 10)); sleep 0.05
  done
  sleep 0.3
  xdotool mouseup 1; sleep 0.7
}
read -r x y w h <<< "$(geometry "$startup")"
echo "at_start $x $y $w $h" > "$work/facts.txt"
# The two buttons' places on the screen, for the comparisons.
echo "start_part 200x34+$((x + w / 2 - 100))+$((y + 68))" >> "$work/facts.txt"
echo "load_part 200x34+$((x + w / 2 - 100))+$((y + 100))" >> "$work/facts.txt"
shot() { import -window root "$work/$1.png"; }
xdotool mousemove $((x + 8)) $((y + 8)); sleep 0.5; shot rest
xdotool mousemove $((x + w / 2)) $((y + 85)); sleep 0.5; shot hover
xdotool mousedown 1; sleep 0.5; shot held
xdotool mousemove $((x + 8)) $((y + 8)); sleep 0.3                   # dragged off the button
xdotool mouseup 1; sleep 0.7; shot released
xdotool key Tab; sleep 0.5; shot tabbed
xdotool search --onlyvisible --name "Lighthouse Keeper" > /dev/null 2>&1 &&
  echo "started_by_release yes" >> "$work/facts.txt"
drag $((x + 8)) $((y + 8)) 150 100                    # the top left corner: background
echo "after_background $(geometry "$startup")" >> "$work/facts.txt"
read -r x y w h <<< "$(geometry "$startup")"
drag $((x + w / 2)) $((y + 117)) 80 60                # on the Load button: no drag
echo "after_button $(geometry "$startup")" >> "$work/facts.txt"
# Start, where the window now is.
xdotool mousemove $((x + w / 2)) $((y + 85)) click 1
find_game_window
echo "game_found yes" >> "$work/facts.txt"
SESSION

run_session "$game"
cat "$work/facts.txt"
start=$(field start_part 1); load=$(field load_part 1)
compared() {  # compared A B PART: the difference, shown
  local d; d=$(rmse "$work/$1.png" "$work/$2.png" "$3"); echo "$1 / $2 ($3): $d" >&2; echo "$d"
}
above "$(compared hover rest "$start")" 0.02 || fail "Start under the pointer looks as at rest"
above "$(compared held hover "$start")" 0.01 || fail "Start held looks as under the pointer"
above "$(compared held rest "$start")" 0.02 || fail "Start held looks as at rest"
below "$(compared released rest "$start")" 0.003 ||
  fail "Start keeps another look after the pointer was dragged off it and let go"
[ -z "$(field started_by_release 1)" ] || fail "a release off the Start button started the game"
above "$(compared tabbed released "$load")" 0.01 || fail "Tab did not show the focus on Load"
above "$(compared tabbed released "$start")" 0.005 || fail "Tab did not take the focus off Start"
[ "$(field after_background 1)" -eq $(($(field at_start 1) + 150)) ] &&
  [ "$(field after_background 2)" -eq $(($(field at_start 2) + 100)) ] ||
  fail "the start-up window did not follow a drag on its background"
[ "$(field after_background 3)" -eq "$(field at_start 3)" ] &&
  [ "$(field after_background 4)" -eq "$(field at_start 4)" ] ||
  fail "the start-up window changed its size while dragged"
[ "$(field after_button 1)" -eq "$(field after_background 1)" ] &&
  [ "$(field after_button 2)" -eq "$(field after_background 2)" ] ||
  fail "a press on a button dragged the start-up window"
[ "$(field game_found 1)" = yes ] || fail "Start did not start the game where the window was dropped"
echo "ok"
