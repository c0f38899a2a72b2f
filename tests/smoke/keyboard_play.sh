#!/usr/bin/env bash
# The demo's first frames played with the keyboard alone in the real window: Enter in the
# start-up window, Tab and Enter on the title picture, Tab to the shell on the beach and Enter
# to take it, I to open the satchel and I to close it, Tab to the path and Enter. The real
# pointer must follow Tab to the title picture's middle; the open satchel and the path must
# look as the headless player shows them after the same keys. On the path, Space is held: the
# picture then differs from the one after its release only on the borders of the hotspots
# (the 4 pixels inside each one's edge), and on each of them.
#
# usage: keyboard_play.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@"

# The same keys headlessly: the satchel open with the pointer on the shell, then the path.
keys='start\nkey Tab\nkey Enter\nwait 1500\nkey Tab\nkey Tab\nkey Tab\nkey Enter\nwait 3000\n'
printf "${keys}key I\nwait 1500\n" > "$work/bar.txt"
printf "${keys}key I\nwait 1500\nkey I\nwait 1000\nkey Tab\nkey Tab\nkey Enter\nwait 5000\n" \
  > "$work/path.txt"
"$player" --replay "$work/bar.txt" --screenshot "$work/bar_expected.png" "$game" 2>/dev/null
"$player" --replay "$work/path.txt" --dump-state --screenshot "$work/path_expected.png" \
  "$game" > "$work/path.json" 2>/dev/null
# The path's visible hotspots: left top right bottom, one line each.
python3 -c '
import json, sys
for h in json.load(open(sys.argv[1]))["hotspots"]:
    if h["visible"]:
        print(h["left"], h["top"], h["left"] + h["width"], h["top"] + h["height"])
' "$work/path.json" > "$work/hotspots.txt"
[ "$(wc -l < "$work/hotspots.txt")" -ge 2 ] || fail "the headless path shows no hotspots"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
. "$SMOKE_LIB"
launch_player
wait_for --class talewick-player > /dev/null; sleep 1
xdotool key Return                                   # the start-up window's Start
find_game_window
xdotool mousemove $((ox + 600)) $((oy + 40)); sleep 0.3   # the pointer anywhere on the title
xdotool key Tab; sleep 0.5
eval "$(xdotool getmouselocation --shell)"
echo "pointer $((X - ox)) $((Y - oy))" >> "$work/facts.txt"
xdotool key Return; sleep 2.5                        # the title picture: to the beach
xdotool key Tab; sleep 0.2; xdotool key Tab; sleep 0.2; xdotool key Tab; sleep 0.3
xdotool key Return; sleep 4                          # the shell
xdotool key i; sleep 2
game_area "$work/bar.png"
xdotool key i; sleep 1.5
xdotool key Tab; sleep 0.2; xdotool key Tab; sleep 0.3
xdotool key Return; sleep 6                          # up the path
xdotool mousemove 0 0; sleep 0.5                     # the real pointer out of the pictures
game_area "$work/path.png"
xdotool keydown space; sleep 1
game_area "$work/held.png"
xdotool keyup space; sleep 1
game_area "$work/released.png"
SESSION

run_session "$game"

[ "$(field pointer 1) $(field pointer 2)" = "319 249" ] ||
  fail "Tab left the real pointer at $(field pointer 1),$(field pointer 2), not 319,249"
d=$(rmse "$work/bar.png" "$work/bar_expected.png" 640x40+0+0)
echo "difference of the satchel opened by I from the headless one: $d"
below "$d" 0.03 || fail "I did not open the satchel with the shell in it (see $work)"
d=$(rmse "$work/path.png" "$work/path_expected.png")
echo "difference of the path reached by keys from the headless one: $d"
below "$d" 0.03 || fail "the keys did not lead up the path (see $work)"

# Pixels that Space changed: each must lie on a hotspot's border, and each border must have
# some.
convert "$work/held.png" "$work/released.png" -compose difference -composite \
  -colorspace gray -threshold 8% "$work/changed.png"
convert "$work/changed.png" txt:- | awk -F'[,:]' '/#FFFFFF|white/ { print $1, $2 }' \
  > "$work/changed.txt"
awk 'NR == FNR { i = n++; l[i] = $1; t[i] = $2; r[i] = $3; b[i] = $4; next }
     { on = 0; m++
       for (i = 0; i < n; i++) {
         inside = $1 >= l[i] && $2 >= t[i] && $1 < r[i] && $2 < b[i]
         deep = $1 >= l[i] + 4 && $2 >= t[i] + 4 && $1 < r[i] - 4 && $2 < b[i] - 4
         if (inside && !deep) { on = 1; hit[i]++ }
       }
       if (!on) { off++; if (off <= 5) print "changed off a border:", $1, $2 > "/dev/stderr" } }
     END { for (i = 0; i < n; i++) if (!hit[i]) { print "no outline on hotspot", i + 1 > "/dev/stderr"; bad = 1 }
           print m + 0, "pixels changed,", off + 0, "off the borders"
           exit (off > 0 || bad || m == 0) }' "$work/hotspots.txt" "$work/changed.txt" ||
  fail "holding Space changed more than the hotspots' borders (see $work)"
