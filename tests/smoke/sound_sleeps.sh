#!/usr/bin/env bash
# The player's sound stream exists only while something sounds. A copy of the demo game,
# whose sea is replaced by a quarter-second tone once a second, is started under a sound
# server of the test's own. On the silent title card the player must have no running
# stream at the server; on the beach the stream must run, and the first tone must be heard
# whole (as long as the next one: waking the stream loses nothing of a sound's start);
# back at the start-up window after Q the stream must be gone again.
#
# usage: sound_sleeps.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"
game_with_tone 0.25 apad=pad_dur=0.75

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
start_sound_server
launch_player
start_game; sleep 3                                       # the title card: silent
pactl list sink-inputs > "$work/title.txt"
record_sound "$work/sound.raw"
click_game 320 250; sleep 3.5                             # the beach: the tone, looping
pactl list sink-inputs > "$work/beach.txt"
stop_recording
xdotool key q; sleep 1; xdotool key Return; sleep 3       # quit: Yes; the start-up window
pactl list sink-inputs > "$work/startup.txt"
SESSION

run_session "$work/game"

# running FILE: how many of the player's streams at the server are playing (not corked).
running() {
  awk -v me="$(basename "$player")" '/^Sink Input/ { on = 0 } /Corked: no/ { on = 1 }
    $1 == "application.process.binary" && $3 == "\"" me "\"" && on { n++ }
    END { print n + 0 }' "$1"
}
echo "streams running: title $(running "$work/title.txt"), beach $(running "$work/beach.txt"),"\
     "start-up window after the game $(running "$work/startup.txt")"
[ "$(running "$work/title.txt")" -eq 0 ] ||
  fail "the sound stream runs on the silent title card (see $work/title.txt)"
[ "$(running "$work/beach.txt")" -eq 1 ] ||
  fail "no sound stream runs on the beach (see $work/beach.txt)"
[ "$(running "$work/startup.txt")" -eq 0 ] ||
  fail "the sound stream runs at the start-up window after the game (see $work/startup.txt)"

# The tones, sample by sample (left channel): a tone ends where 10 ms of silence follow.
od -An -v -t d2 -w4 "$work/sound.raw" | awk '
  { a = $1 < 0 ? -$1 : $1; n++ }
  a > 200 { if (!on) { on = 1; start = n }; last = n }
  on && n - last > 441 { printf "%d\n", last - start + 1; on = 0 }' > "$work/tones.txt"
echo "tones heard (frames): $(tr '\n' ' ' < "$work/tones.txt")"
[ "$(wc -l < "$work/tones.txt")" -ge 2 ] || fail "fewer than two tones were heard (see $work)"
# The server's monitor may miss about a millisecond of a new stream's start (the sink
# rewinds to mix it in); a lost buffer of the player's (1024 frames) is far more.
read -r first second <<< "$(head -n 2 "$work/tones.txt" | tr '\n' ' ')"
[ $((second - first)) -le 220 ] && [ $((first - second)) -le 220 ] ||
  fail "the first tone lasted $first frames, the next $second: the start of the sound was lost"
echo "ok"
