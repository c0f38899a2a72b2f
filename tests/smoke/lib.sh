# Shell helpers the real-window smoke tests share. A test script sources this file and calls
# smoke_begin; its session under Xvfb sources it again through $SMOKE_LIB.

# smoke_begin PLAYER GAME WORK [FOLDER...]: the three arguments every smoke test takes, and
# a fresh work folder (with these folders inside it).
smoke_begin() {
  player=$1; game=$2; work=$3
  shift 3
  rm -rf "$work"
  mkdir -p "$work" "$work/config"
  # The player's settings (full screen, window size, last game) stay with the test.
  export XDG_CONFIG_HOME="$work/config"
  local folder
  for folder in "$@"; do mkdir -p "$work/$folder"; done
  # The player writes into a game's folder (saves, and the automatic save at a quit or when it
  # is stopped): every test plays a copy, never the demo of the source tree.
  cp -r "$game" "$work/played"
  game="$work/played"
}
# game_with_tone SECONDS [FILTER]: a copy of the game in $work/game whose sea is a loud
# 1 kHz tone of that length (FILTER: more of ffmpeg's audio filter after the volume), so the
# sound is easy to find in a recording.
game_with_tone() {
  cp -r "$game" "$work/game"
  ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=1000:sample_rate=44100:duration=$1" \
    -af "volume=6${2:+,$2}" -ac 1 -c:a pcm_s16le "$work/game/Areas/sea.wav"
}
SMOKE_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lib.sh
export SMOKE_LIB
# A step that fails names itself, in the test and in its session, functions included.
set -E
trap 'echo "smoke: this step failed: $BASH_COMMAND (line $LINENO of ${BASH_SOURCE[0]##*/})" >&2' ERR

# run_session GAME [WxH]: $work/session.sh under a fresh Xvfb screen (1280 x 960 unless
# given), with the player, GAME and the work folder as its three arguments.
run_session() {
  xvfb-run -a -s "-screen 0 ${2:-1280x960}x24" bash "$work/session.sh" "$player" "$1" "$work"
}

# walkthrough_before PREFIX: the demo's play-through without its comments, up to the first
# line that starts with PREFIX.
walkthrough_before() {
  awk -v p="$1" 'index($0, p) == 1 { exit } !/^#/ { print }' "$game/walkthrough.txt"
}

# ---- outside the session: comparing pictures ----

# rmse A B [GEOMETRY]: root mean square difference over all channels, 0 (same) to 1, of the
# two pictures or of the same part of both. Fonts and scaling may differ by a few levels,
# another frame differs by far more.
# A missing picture gives no number, which every comparison below takes as a failure.
rmse() {
  local a=$1 b=$2
  [ -f "$a" ] && [ -f "$b" ] || { echo "no picture to compare: $a or $b" >&2; return 0; }
  if [ $# -ge 3 ]; then
    rm -f "$work/rmse_a.png" "$work/rmse_b.png"
    convert "$1" -crop "$3" +repage "$work/rmse_a.png" 2>/dev/null || true
    convert "$2" -crop "$3" +repage "$work/rmse_b.png" 2>/dev/null || true
    a=$work/rmse_a.png b=$work/rmse_b.png
    # A part that lies outside a picture (a window smaller than expected) is no match.
    if [ "$(identify -format %wx%h "$a" 2>/dev/null)" != "${3%%+*}" ] ||
       [ "$(identify -format %wx%h "$b" 2>/dev/null)" != "${3%%+*}" ]; then
      echo "the part $3 lies outside $1 or $2" >&2; return 0
    fi
  fi
  compare -metric RMSE "$a" "$b" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p' || true
}
# fail MESSAGE: the test fails, saying why.
fail() { echo "$*" >&2; exit 1; }
# field KEY N: the Nth value after KEY in $work/facts.txt, where a session notes what it saw.
field() { awk -v k="$1" -v n="$2" '$1 == k {print $(n + 1)}' "$work/facts.txt"; }
below() { awk -v d="$1" -v limit="$2" 'BEGIN { exit !(d != "" && d < limit) }'; }
above() { awk -v d="$1" -v limit="$2" 'BEGIN { exit !(d != "" && d > limit) }'; }

# same_beach_frame ACTUAL EXPECTED LIMIT WHAT: the two game areas show the same frame. The
# sea ripples and the gull flies on their own clocks, so the parts above the gull and below
# the sea are compared.
same_beach_frame() {
  local part d
  for part in 640x148+0+0 640x146+0+334; do
    d=$(rmse "$1" "$2" "$part")
    echo "difference between $4 ($part): $d"
    below "$d" "$3" || { echo "$4 differ (see $work)" >&2; return 1; }
  done
}

# picture_in_screen SHOT WxH MENU OUT: the 640 x 480 game picture out of a full-screen shot
# of a W x H screen with a menu bar MENU pixels high; the picture is as large as fits below
# the bar, centred.
picture_in_screen() {
  local sw=${2%x*} sh=${2#*x} pw ph px py
  read -r pw ph px py <<< "$(awk -v m="$3" -v W="$sw" -v S="$sh" 'BEGIN {
    H = S - m; f = W / 640; if (H / 480 < f) f = H / 480;
    w = int(640 * f + 0.5); h = int(480 * f + 0.5);
    print w, h, int((W - w) / 2), m + int((H - h) / 2) }')"
  convert "$1" -crop "${pw}x${ph}+${px}+${py}" +repage -resize '640x480!' "$4"
}

# ---- inside the session: the real window ----

# wait_for ARGS...: the first visible window `xdotool search ARGS` finds, other than the
# window $exclude when that is set. It waits up to 30 s: on a busy machine a player once
# took more than 10 s to show its first box.
wait_for() {
  local w
  for _ in $(seq 1 300); do
    if w=$(xdotool search --onlyvisible "$@" 2>/dev/null | grep -v -x "${exclude:-none}" |
           head -n 1) && [ -n "$w" ]; then
      echo "$w"; return 0
    fi
    sleep 0.1
  done
  echo "no window for: $*" >&2; return 1
}

# launch_player [LOG]: the player on $game in the background, its process id in pid; it is
# ended when the session ends.
launch_player() {
  # The X server may still be starting on a busy machine: wait until it answers.
  local tries=0
  until xdotool getdisplaygeometry > /dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || { echo "the X server $DISPLAY does not answer" >&2; return 1; }
    sleep 0.1
  done
  "$player" "$game" > "$work/${1:-player.log}" 2>&1 &
  pid=$!
  trap 'kill $pid 2>/dev/null || true; stop_sound_server' EXIT
}

# geometry WINDOW: X Y WIDTH HEIGHT of its inside, on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# settle WINDOW X Y WIDTH HEIGHT: waits up to ten seconds for the window to take that
# place and size (a busy machine may take its time); prints where it is in the end.
settle() {
  local w=$1 want="$2 $3 $4 $5" now
  for _ in $(seq 1 100); do
    now=$(geometry "$w")
    [ "$now" = "$want" ] && break
    sleep 0.1
  done
  echo "$now"
}

# startup_button Y: clicks the start-up window's button at that height (Start 85, Load 117).
startup_button() {
  local startup
  startup=$(wait_for --class talewick-player); sleep 1
  eval "$(xdotool getwindowgeometry --shell "$startup")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + $1)) click 1
}

# find_game_window: waits for the demo's game window; sets gamewin, and ox and oy, the top
# left corner of its 640 x 480 game area below the menu bar.
find_game_window() {
  gamewin=$(wait_for --name "Lighthouse Keeper"); sleep 1
  eval "$(xdotool getwindowgeometry --shell "$gamewin")"
  ox=$X; oy=$((Y + HEIGHT - 480))
}

# start_game: Start in the start-up window, then find_game_window.
start_game() { startup_button 85; find_game_window; }

# load_newest_save: Load in the start-up window, the first saved game in the list, then
# find_game_window.
load_newest_save() {
  startup_button 117
  wait_for --name "Load a previously saved game" > /dev/null; sleep 0.5
  xdotool key Down; xdotool key Return; sleep 3
  find_game_window
}

# click_game X Y: a click at that pixel of the game area.
click_game() { xdotool mousemove $((ox + $1)) $((oy + $2)) click 1; }

# drag_game X0 Y0 X1 Y1: press at the first pixel of the game area, move there in eight
# steps as a hand would, release.
drag_game() {
  xdotool mousemove $((ox + $1)) $((oy + $2)); sleep 0.5
  xdotool mousedown 1; sleep 0.2
  local k
  for k in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((ox + $1 + ($3 - $1) * k / 8)) $((oy + $2 + ($4 - $2) * k / 8))
    sleep 0.05
  done
  sleep 0.2
  xdotool mouseup 1
}

# open_bar: the pointer leaves the inventory bar's place, then rests on its button until the
# bar has opened.
open_bar() {
  xdotool mousemove $((ox + 320)) $((oy + 300)); sleep 1
  xdotool mousemove $((ox + 10)) $((oy + 10)); sleep 1.5
}

# game_area PNG: a screenshot of the game area.
game_area() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "640x480+$ox+$oy" +repage "$1"
}

# pointer_at X Y PNG: the pointer rests on that pixel of the game area; the 64 x 64 pixels
# around it, with the pointer as X draws it, are written to PNG (import leaves it out).
pointer_at() {
  xdotool mousemove $((ox + $1)) $((oy + $2)); sleep 0.5
  ffmpeg -loglevel error -y -f x11grab -draw_mouse 1 -video_size 64x64 \
    -i "$DISPLAY+$((ox + $1 - 32)),$((oy + $2 - 32))" -frames:v 1 "$3"
}

# ---- inside the session: sound through a real sound server ----

# start_sound_server: a PulseAudio server of the session's own with one null sink, "rec",
# which the player plays into (SDL through PulseAudio) and record_sound reads. The server
# ends with the session's X server.
start_sound_server() {
  export XDG_RUNTIME_DIR="$work/pulse"
  mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=yes -n --exit-idle-time=-1 --use-pid-file=yes \
    --log-target="file:$work/pulse.log" \
    --load="module-null-sink sink_name=rec rate=44100" --load=module-native-protocol-unix \
    2> /dev/null || true
  local tries=0
  until pactl info > /dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || { echo "no PulseAudio server (see $work/pulse.log)" >&2; return 1; }
    sleep 0.1
  done
  export SDL_AUDIODRIVER=pulseaudio PULSE_SINK=rec
  sound_server=1
  trap 'stop_sound_server' EXIT
}
stop_sound_server() {
  [ -n "${sound_server:-}" ] && pulseaudio --kill 2>/dev/null || true
}

# record_sound RAW: what the sink plays, as raw 16-bit stereo at 44.1 kHz, until
# stop_recording. A silent stream of the test's own keeps the sink running meanwhile: the
# monitor of an idle sink records nothing, and the player's stream sleeps while it is silent.
# The recording keeps up within about 10 ms, so its length in bytes at a moment
# (sound_position) tells where in it that moment lies.
record_sound() {
  recording=$1
  pacat --playback --raw --format=s16le --rate=44100 --channels=2 -d rec \
    --latency-msec=10 --client-name=keepalive < /dev/zero &
  keepalive=$!
  parec -d rec.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=10 \
    > "$recording" &
  recpid=$!
  sleep 0.3
}
sound_position() { stat -c %s "$recording"; }
stop_recording() {
  kill "$recpid" "$keepalive" 2>/dev/null || true
  wait "$recpid" "$keepalive" 2>/dev/null || true
}

# ---- outside the session: measuring a recording ----

# sound_levels RAW: one line per 10 ms of the recording: its start in bytes and its level in
# dBFS (RMS of both channels; -120 for silence).
sound_levels() {
  od -An -v -t d2 -w4 "$1" | awk '
    { s += $1 * $1 + $2 * $2; n += 2 }
    n == 882 { db = s > 0 ? 10 * log(s / n / 32768 / 32768) / log(10) : -120
               printf "%d %.1f\n", start, db; start += 1764; s = 0; n = 0 }'
}
