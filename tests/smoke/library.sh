#!/usr/bin/env bash
# The real program started with no game, in a real X window: a folder that is not a game is
# refused with one box and exit status 2; with no folder and no game beside the program the
# library opens. A new user adds a folder that is no game (a box says why), finds a series of
# three games with one scan, plays one by a double click and is back in the library when it
# is left; Remove drops a game, a game moved away is greyed and Locate... finds it again.
#
# usage: library.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@" bin empty config data
game=$(cd "$game" && pwd)
work=$(cd "$work" && pwd)
# A series of three games, each its own title.
for part in One Two Three; do
  mkdir -p "$work/series"
  cp -r "$game" "$work/series/$part"
  sed -i "1s/^\"[^\"]*\",\"[^\"]*\",\"[^\"]*\"/\"Lamp$part\",\"Talewick demo\",\"The Lamp, Part $part\"/" \
    "$work/series/$part/Config/General"
done
# No game beside this copy of the program: it must ask for one.
cp "$player" "$work/bin/talewick-player"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
game=$1; work=$2
player="$work/bin/talewick-player"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
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

# in_library KEY DIALOG_TITLE FOLDER [SHOT]: the library's button KEY (alt+a, alt+s, alt+l) opens
# a folder dialog; FOLDER is typed there and chosen; what follows is shot as SHOT.
in_library() {
  point_at "$lib"; xdotool key "$1"
  local dialog
  dialog=$(wait_top --name "$2")
  sleep 1
  point_at "$dialog"
  xdotool type --delay 20 "$3"
  xdotool key Return
  if [ -n "${4:-}" ]; then sleep 0.5; import -window root "$work/$4"; fi
}
answer_box() {  # answer_box SHOT: the library's box, shot, is answered with Enter
  local box
  box=$(exclude=$lib wait_top --name "^Talewick Library$")
  sleep 0.5
  import -window root "$work/$1"
  point_at "$box"; xdotool key Return
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

# 2. No folder and no game beside the program: the library, empty at first. "Add Game..."
#    with a folder that is no game: a box says why and the library stays empty.
"$player" > "$work/library.log" 2>&1 &
pid=$!; pids+=("$pid")
lib=$(wait_top --name "^Talewick Library$")
sleep 1
import -window root "$work/library_empty.png"
has_icon "$lib" || { echo "the library window has no icon" >&2; exit 1; }
in_library alt+a "Choose the folder of a Talewick game" "$work/empty"
answer_box not_a_game_box.png
[ -z "$("$player" --list)" ] || { echo "a folder that is no game was added" >&2; exit 1; }

# 3. "Scan Folder..." finds the three games of a series in one go.
in_library alt+s "Choose a folder to look for games in" "$work/series"
answer_box scanned.png
sleep 0.5
"$player" --list > "$work/list.txt"
[ "$(wc -l < "$work/list.txt")" = 3 ] || { echo "the scan did not add three games:" >&2; cat "$work/list.txt" >&2; exit 1; }
grep -q "^The Lamp, Part Two	$work/series/Two$" "$work/list.txt"

# A scan of a large tree shows its progress; one Esc stops it.
mkdir -p "$work/big"
(cd "$work/big" && mkdir -p {a,b,c,d,e}/{a,b,c,d,e}/{a,b,c,d,e}/{a,b,c,d,e}/{a,b,c,d,e}/{a,b,c,d,e})
in_library alt+s "Choose a folder to look for games in" "$work/big"
exclude=$lib wait_top --name "^Talewick Library$" > /dev/null
sleep 0.3
import -window root "$work/scan_progress.png"
xdotool key Escape
answer_box scan_stopped.png
[ "$(wc -l < <("$player" --list))" = 3 ] || { echo "the stopped scan changed the library" >&2; exit 1; }

# 4. A double click on the second game plays it; its Exit brings the library back, which now
#    says when the game was played.
eval "$(xdotool getwindowgeometry --shell "$lib")"
xdotool mousemove $((X + 300)) $((Y + 16 + 65 + 130)) click --repeat 2 --delay 80 1
wait_gone "$lib"
startup=$(wait_top --class talewick-player)
sleep 1
import -window root "$work/played_from_library.png"
eval "$(xdotool getwindowgeometry --shell "$startup")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 149)) click 1
lib=$(wait_top --name "^Talewick Library$")
sleep 1
import -window root "$work/library_again.png"
"$player" --list --json > "$work/list.json"
python3 - "$work/list.json" "$work/series/Three" <<'PY'
import json, sys
games = {g["folder"]: g for g in json.load(open(sys.argv[1]))}
played = games[sys.argv[2]]
assert played["last_played"] > 0, played
assert all(g["last_played"] == 0 for f, g in games.items() if f != sys.argv[2]), games
PY

# 5. Remove takes the chosen game out of the library (its files stay).
point_at "$lib"; xdotool key alt+m
sleep 0.5
[ "$(wc -l < <("$player" --list))" = 2 ] || { echo "Remove did not remove a game" >&2; exit 1; }
[ -f "$work/series/Three/Config/General" ] || { echo "Remove touched the game's files" >&2; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null || true

# 6. A game moved away is greyed the next time; Locate... points it at its new place.
mv "$work/series/One" "$work/moved-one"
"$player" > "$work/library2.log" 2>&1 &
pid=$!; pids+=("$pid")
lib=$(wait_top --name "^Talewick Library$")
sleep 1
import -window root "$work/library_missing.png"
"$player" --list | grep -q "^The Lamp, Part One	$work/series/One	missing$" ||
  { echo "the moved game is not shown as missing" >&2; "$player" --list >&2; exit 1; }
in_library alt+l "Where is the game's folder now" "$work/moved-one"
sleep 1
"$player" --list | grep -q "^The Lamp, Part One	$work/moved-one$" ||
  { echo "Locate did not move the game" >&2; "$player" --list >&2; exit 1; }

# 7. Closing the library (Ctrl+Q) ends the program quietly.
point_at "$lib"; xdotool key ctrl+q
wait_exit "$pid"
[ "$status" = 0 ] || { echo "exit status $status after the library was closed" >&2; exit 1; }
echo "library: all steps passed"
SESSION

xvfb-run -a -n 83 -s "-screen 0 1280x960x24" bash "$work/session.sh" "$game" "$work"
