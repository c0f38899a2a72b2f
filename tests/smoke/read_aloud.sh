#!/usr/bin/env bash
# Options > Read Messages Aloud in the real window, heard through a real speech service. The
# session has a PulseAudio server of its own with a null sink; speech-dispatcher is started
# by the player's first call (autospawn, into the session's private runtime folder, so it
# speaks into that sink with espeak-ng). On the silent title card the player clicks Options
# and its last entry, Read Messages Aloud; for a second nothing sounds. Q opens the quit
# question: its text must be heard while the box is shown. Esc, still within the sentence,
# closes the box and silences it: nothing may be heard after that.
#
# usage: read_aloud.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
command -v speech-dispatcher > /dev/null || fail "speech-dispatcher is not installed"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
start_sound_server
launch_player
start_game                                                 # the title card: silent
xdotool mousemove $((ox + 220)) $((oy - 10)) click 1; sleep 0.7   # Options
xdotool key Up; sleep 0.3; xdotool key Return; sleep 0.5          # its last entry
record_sound "$work/sound.raw"
sleep 1
sound_position > "$work/box_opens.txt"
xdotool key q; sleep 0.8                                   # the quit question, read aloud
sound_position > "$work/escape.txt"
xdotool key Escape; sleep 1.5                              # the box closes, silence
stop_recording
kill $pid 2> /dev/null || true; wait $pid 2> /dev/null || true
speechd_pid="$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid"
[ -f "$speechd_pid" ] && kill "$(cat "$speechd_pid")" 2> /dev/null || true
SESSION

run_session "$game"
sound_levels "$work/sound.raw" > "$work/levels.txt"
opens=$(cat "$work/box_opens.txt"); escape=$(cat "$work/escape.txt")
# loud FROM TO: 10 ms blocks between those byte positions louder than -50 dBFS.
loud() { awk -v a="$1" -v b="$2" '$1 >= a && $1 < b && $2 > -50 { n++ } END { print n + 0 }' \
  "$work/levels.txt"; }
total=$(tail -n 1 "$work/levels.txt" | cut -d' ' -f1)
before=$(loud 0 "$opens"); during=$(loud "$opens" "$escape")
# Esc and the server's cancel take a moment to reach the sink.
after=$(loud $((escape + 30 * 1764)) $((total + 1764)))
echo "loud 10 ms blocks: before the box $before, while it is read $during, after Esc $after"
[ "$before" -eq 0 ] || fail "sound before any message (see $work/levels.txt)"
[ "$during" -ge 20 ] ||
  fail "the quit question was not heard (see $work/levels.txt and $work/pulse/speech-dispatcher/log)"
[ "$after" -eq 0 ] || fail "Esc did not silence the speech (see $work/levels.txt)"
echo "ok"
