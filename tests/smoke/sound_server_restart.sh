#!/usr/bin/env bash
# The sound server goes away while the game plays its sea, and comes back: the game goes on
# silently meanwhile (it answers a click: the shell is picked up) and its sound is heard again
# once the server is back, with no crash and no hang. A copy of the demo, whose sea is
# replaced by a steady tone, plays under a sound server of the test's own.
#
# usage: sound_server_restart.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
game_with_tone 1

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
start_sound_server
launch_player
start_game; click_game 320 250; sleep 3                  # the beach: the tone, looping
record_sound "$work/before.raw"; sleep 2; stop_recording
stop_sound_server; sleep 2                                # the server is gone
game_area "$work/shell_there.png"
click_game 252 412; sleep 3                               # the shell is picked up meanwhile
game_area "$work/shell_taken.png"
kill -0 "$pid" || { echo "the player died when the server went away" >&2; exit 1; }
start_sound_server; sleep 5                               # back: the player opens it again
record_sound "$work/after.raw"; sleep 2; stop_recording
kill -0 "$pid" || { echo "the player died when the server came back" >&2; exit 1; }
SESSION

run_session "$work/game"

# loud RAW: how many 10 ms pieces of the recording carry the tone.
loud() { sound_levels "$1" | awk '$2 > -30 { n++ } END { print n + 0 }'; }
before=$(loud "$work/before.raw"); after=$(loud "$work/after.raw")
shell=$(rmse "$work/shell_there.png" "$work/shell_taken.png" 40x40+232+392)
echo "tone heard: $before pieces of 10 ms before the server stopped, $after after it came back;"\
     "the shell's place changed by $shell while the server was gone"
[ "$before" -ge 100 ] || fail "no sound before the server stopped (see $work)"
above "$shell" 0.05 || fail "the game did not answer a click while the server was gone"
[ "$after" -ge 100 ] || fail "no sound after the server came back (see $work)"
echo "ok"
