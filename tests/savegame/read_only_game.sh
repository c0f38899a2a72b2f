#!/usr/bin/env bash
# A game on a read-only mount (a disc, a system-wide install): saving puts the saved game
# into the user's data folder, and a later run lists and loads it from there. The game folder
# is bind-mounted read-only in a private mount namespace, so even root cannot write it.
# Exits 77 (skipped) where mount namespaces are not allowed.
#
# usage: read_only_game.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
player=$1
source_game=$2
work=$3
rm -rf "$work"
mkdir -p "$work/data"
cp -r "$source_game" "$work/game"
game=$work/game
id=$(head -n 1 "$game/Config/General" | cut -d, -f1 | tr -d '"\r')

if ! unshare -m true 2> /dev/null && ! unshare -Urm true 2> /dev/null; then
  echo "read_only_game: mount namespaces are not available here" >&2
  exit 77
fi
userns=()
unshare -m true 2> /dev/null || userns=(-Ur)

# Runs the player on the game mounted read-only.
play_read_only() {
  unshare "${userns[@]}" -m bash -c '
    set -euo pipefail
    game=$1; shift
    mount --bind -o ro "$game" "$game"
    if touch "$game/probe" 2> /dev/null; then echo "the mount is writable" >&2; exit 3; fi
    exec "$@"' bash "$game" env XDG_DATA_HOME="$work/data" "$player" "$@"
}

printf 'start\nclick 320 250\nwait 1300\nsave Keeper\n' > "$work/save.txt"
play_read_only --replay "$work/save.txt" --dump-state "$game" > "$work/saved.json"
saved_frame=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["frame"])' "$work/saved.json")

user_save="$work/data/talewick/saves/$id/Keeper.sav"
[ -f "$user_save" ] || { echo "no saved game in the user's folder ($user_save)" >&2; exit 1; }
[ ! -e "$game/Keeper.sav" ] || { echo "the saved game went into the read-only game" >&2; exit 1; }
boxes=$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["boxes"]))' "$work/saved.json")
[ "$boxes" = 0 ] || { echo "saving showed $boxes boxes" >&2; cat "$work/saved.json" >&2; exit 1; }

# A new run lists the saved game and loads it.
printf 'start\nload Keeper\n' > "$work/load.txt"
play_read_only --replay "$work/load.txt" --dump-state "$game" > "$work/loaded.json"
python3 - "$work/loaded.json" "$saved_frame" <<'PY'
import json, sys
state = json.load(open(sys.argv[1]))
if state["frame"] != sys.argv[2] or state["boxes"]:
    sys.exit(f"the load did not restore {sys.argv[2]}: frame {state['frame']}, boxes {state['boxes']}")
PY
echo "read_only_game: saved in and loaded from $user_save (frame $saved_frame)"
