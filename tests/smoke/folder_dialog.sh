#!/usr/bin/env bash
# The real program started with no game, in a real X window: a folder that is not a game is
# refused with one box and exit status 2; with no folder and no game beside the program the
# folder dialog opens, a pick that is no game gets a box and the dialog again, a game picked
# starts (with our icon on its window) and is offered by the dialog the next time.
#
# usage: folder_dialog.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@" bin empty config
game=$(cd "$game" && pwd)
# No game beside this copy of the program: it must ask for one.
cp "$player" "$work/bin/talewick-player"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
game=$1; work=$2
player="$work/bin/talewick-player"
export XDG_CONFIG_HOME="$work/config"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT

. "$SMOKE_LIB"
wait_top() { wait_for --maxdepth 1 "$@"; }  # a top-level window, not a dialog's part
wait_gone() {  # wait_gone WINDOW: until it is no longer shown
  for _ in $(seq 1 100); do
    local shown
    shown=$(xdotool search --maxdepth 1 --onlyvisible --class talewick-player 2>/dev/null) || true
    grep -qx "$1" <<< "$shown" || return 0
    sleep 0.1
  done
  echo "window $1 stays" >&2; return 1
}
wait_exit() {  # wait_exit PID: its exit status into $status, within 10 s
  for _ in $(seq 1 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      status=0; wait "$1" || status=$?; return 0
    fi
    sleep 0.1
  done
  echo "the player did not end" >&2; return 1
}
point_at() {  # point_at WINDOW: the pointer rests in its top-left corner, where keys go then
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + 8)) $((Y + 8))
  sleep 0.3
}
has_icon() {  # has_icon WINDOW: the window carries an icon for the desktop
  local out
  out=$(xprop -id "$1" _NET_WM_ICON 2>/dev/null) || true
  [[ "$out" == *"Icon (32 x 32)"* ]]
}

# 1. A folder that is not a game: one box, then exit status 2 with the line on stderr.
"$player" "$work/empty" > "$work/refused.log" 2>&1 &
pid=$!; pids+=("$pid")
box=$(wait_top --name "^Talewick player$") ||
  { echo "no box; the player said:" >&2; cat "$work/refused.log" >&2; exit 1; }
sleep 0.5
import -window root "$work/refused_box.png"
has_icon "$box" || { echo "the box has no icon" >&2; exit 1; }
point_at "$box"; xdotool key Return
wait_exit "$pid"
[ "$status" = 2 ] || { echo "exit status $status for a folder that is no game" >&2; exit 1; }
grep -q "empty is not a game folder: no Config/General" "$work/refused.log"

# 2. No folder and no game beside the program: the folder dialog. Pick the empty folder
#    first (a box says why not, the dialog comes again), then the game.
"$player" > "$work/first.log" 2>&1 &
pid=$!; pids+=("$pid")
dialog=$(wait_top --name "Choose the folder of a Talewick game")
sleep 1
import -window root "$work/dialog.png"
point_at "$dialog"
xdotool type --delay 20 "$work/empty"
xdotool key Return
box=$(wait_top --name "^Talewick player$")
sleep 0.5
import -window root "$work/not_a_game_box.png"
point_at "$box"; xdotool key Return
dialog=$(wait_top --name "Choose the folder of a Talewick game")
sleep 1
point_at "$dialog"
xdotool key ctrl+a
xdotool type --delay 20 "$game"
xdotool key Return
wait_gone "$dialog"
startup=$(wait_top --class talewick-player)
sleep 1
import -window root "$work/startup.png"
has_icon "$startup" || { echo "the start-up window has no icon" >&2; xdotool getwindowname "$startup" >&2; xdotool getwindowgeometry "$startup" >&2; xdotool search --maxdepth 1 --onlyvisible --class talewick-player >&2; xprop -id "$startup" >&2; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null || true
grep -qi "LastGame=$game" "$work/config/talewick/talewick.ini" ||
  { echo "the last game was not remembered" >&2; cat "$work/config/talewick/talewick.ini" >&2; exit 1; }

# 3. The next time the dialog starts in that game: choosing at once plays it. Its Start
#    button opens the game window, which carries the icon too.
"$player" > "$work/second.log" 2>&1 &
pid=$!; pids+=("$pid")
dialog=$(wait_top --name "Choose the folder of a Talewick game")
sleep 1
import -window root "$work/dialog_again.png"
point_at "$dialog"; xdotool key Return
wait_gone "$dialog"
startup=$(wait_top --class talewick-player)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 85)) click 1
gamewin=$(wait_top --name "Lighthouse Keeper")
sleep 1
import -window root "$work/game.png"
has_icon "$gamewin" || { echo "the game window has no icon" >&2; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null || true

# 4. Cancelling the dialog ends the program quietly.
"$player" > "$work/cancel.log" 2>&1 &
pid=$!; pids+=("$pid")
dialog=$(wait_top --name "Choose the folder of a Talewick game")
sleep 1
point_at "$dialog"; xdotool key Escape
wait_exit "$pid"
[ "$status" = 0 ] || { echo "exit status $status after the dialog was cancelled" >&2; exit 1; }
echo "folder dialog: all steps passed"
SESSION

xvfb-run -a -n 83 -s "-screen 0 1280x960x24" bash "$work/session.sh" "$game" "$work"
