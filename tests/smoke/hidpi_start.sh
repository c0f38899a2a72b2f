#!/usr/bin/env bash
# The real program on a desktop scaled to 200 % (QT_SCALE_FACTOR=2): scaling alone is no
# reason for the large-fonts question, so the first window is the start-up window.
#
# usage: hidpi_start.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
QT_SCALE_FACTOR=2 "$player" "$game" > "$work/player.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
for _ in $(seq 1 150); do
  if xdotool search --onlyvisible --class talewick-player > /dev/null 2>&1; then break; fi
  sleep 0.2
done
sleep 2
for w in $(xdotool search --onlyvisible --class talewick-player); do
  xdotool getwindowname "$w"
done > "$work/windows.txt"
import -window root "$work/shot.png"
SESSION

run_session "$game"
echo "windows shown:"; cat "$work/windows.txt"
if [ ! -s "$work/windows.txt" ]; then echo "no window came up" >&2; exit 1; fi
if grep -qx '!!!' "$work/windows.txt"; then
  echo "the large-fonts question came up on a scaled desktop" >&2
  exit 1
fi
