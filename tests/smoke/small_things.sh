#!/usr/bin/env bash
# Small things a new player meets in the real window, under Openbox:
#   - F8 says that it saved the screenshot: a note along the bottom of the game picture that
#     the saved PNG does not hold, gone 2.5 s later;
#   - a message box of the game (the locked lighthouse door: a short text) is a plain box (no
#     minimise, no maximise) and its caption is drawn whole ("The Lighthouse Keeper's Lamp",
#     as wide as in the game window's own title bar);
#   - the Options menu shows the check boxes of its switches while they are off.
#
# usage: small_things.sh PLAYER GAME_FOLDER WORK_FOLDER
set -euo pipefail
. "$(dirname "$0")/lib.sh"
smoke_begin "$@" config home

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
player=$1; game=$2; work=$3
export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
openbox > "$work/openbox.log" 2>&1 &
wm=$!
sleep 1
. "$SMOKE_LIB"
launch_player
trap 'kill $pid 2>/dev/null || true; kill $wm 2>/dev/null || true' EXIT
start_game
read -r x y w h <<< "$(geometry "$gamewin")"
ox=$x; oy=$((y + h - 480))  # the inside, below the window manager's title bar
echo "game $x $y $w $h" > "$work/facts.txt"
xprop -id "$gamewin" _NET_FRAME_EXTENTS | tr -d , | awk '{print "game_frame", $3, $4, $5, $6}' \
  >> "$work/facts.txt"
click_game 320 250; sleep 1.5                                    # the beach
game_area "$work/before_f8.png"
xdotool key F8; sleep 0.5
game_area "$work/note.png"
sleep 2.5
game_area "$work/after_note.png"

click_game 548 330; sleep 1.5                                    # the cliff path
click_game 500 150; sleep 1.5                                    # the lighthouse
click_game 320 300                                               # locked: a short box
exclude=$gamewin
box=$(wait_for --name "^The Lighthouse Keeper's Lamp\$"); sleep 0.7
xprop -id "$box" _NET_WM_ALLOWED_ACTIONS _NET_WM_WINDOW_TYPE _NET_WM_NAME > "$work/box_actions.txt"
read -r bx by bw bh <<< "$(geometry "$box")"
echo "box $bx $by $bw $bh" >> "$work/facts.txt"
xprop -id "$box" _NET_FRAME_EXTENTS | tr -d , | awk '{print "box_frame", $3, $4, $5, $6}' \
  >> "$work/facts.txt"
import -window root "$work/with_box.png"
xdotool key Return; sleep 0.7
unset exclude

# Options, the third title of the menu bar.
import -window root "$work/menu_closed.png"
xdotool mousemove $((x + 220)) $((y + (h - 480) / 2)) click 1; sleep 0.7
import -window root "$work/menu_open.png"
xdotool key Escape
SESSION

run_session "$game"
cat "$work/facts.txt"

# F8: the note shows at the bottom, the saved PNG is the picture without it, then it goes.
d=$(rmse "$work/before_f8.png" "$work/note.png" 640x40+0+440)
echo "bottom of the picture with the note against before F8: $d"
above "$d" 0.05 || fail "F8 shows no note (see $work)"
shots=("$work"/home/Pictures/*.png)
[ -f "${shots[0]}" ] || fail "F8 saved no screenshot"
d=$(rmse "${shots[0]}" "$work/before_f8.png" 640x146+0+334)
echo "the saved screenshot against the picture before F8: $d"
below "$d" 0.03 || fail "the saved screenshot holds the note (see $work)"
d=$(rmse "$work/after_note.png" "$work/before_f8.png" 640x146+0+334)
echo "2.5 s after F8 against before: $d"
below "$d" 0.03 || fail "the note is still there 2.5 s after F8 (see $work)"

# The box: a caption and a close button; no minimise, no maximise.
cat "$work/box_actions.txt"
grep -q _NET_WM_ACTION_CLOSE "$work/box_actions.txt" || fail "the box cannot be closed"
! grep -qE '_NET_WM_ACTION_(MINIMIZE|MAXIMIZE)' "$work/box_actions.txt" ||
  fail "the box can be minimised or maximised"
# Its caption is drawn as wide as in the game window's title bar, where it fits: measured
# along one row through the middle of the letters, between the icon and the buttons.
title_ink() {  # title_ink PNG X Y WIDTH TITLEBAR_HEIGHT: width of the caption's letters
  convert "$1" -crop "$(($4 - 24 - 72))x1+$(($2 + 24))+$(($3 - $5 / 2 - 1))" +repage \
    -fuzz 20% -trim -format %w info: 2>/dev/null
}
read -r _ gx gy gw _ <<< "$(grep '^game ' "$work/facts.txt")"
read -r _ bx by bw _ <<< "$(grep '^box ' "$work/facts.txt")"
gtop=$(field game_frame 3); btop=$(field box_frame 3)
game_ink=$(title_ink "$work/with_box.png" "$gx" "$gy" "$gw" "$gtop")
box_ink=$(title_ink "$work/with_box.png" "$bx" "$by" "$bw" "$btop")
echo "caption's width: game window $game_ink, box $box_ink (box $bw wide)"
[ -n "$game_ink" ] && [ -n "$box_ink" ] && [ "$game_ink" -gt 100 ] ||
  fail "no caption found in the title bars (see $work)"
[ "$box_ink" -ge $((game_ink - 4)) ] || fail "the box's caption is cut (see $work)"

# The Options menu: where it opened, the column of check boxes at its left holds one box for
# each switch (transitions, effects, full screen, mute), all off. Rows whose left column has
# dark pixels are counted in runs, one run per box.
compare -metric AE -fuzz 5% "$work/menu_closed.png" "$work/menu_open.png" \
  -compose src "$work/menu_diff.png" 2>/dev/null || true
read -r mw mh mx my <<< "$(convert "$work/menu_diff.png" -fuzz 5% -trim \
  -format '%w %h %X %Y' info: | tr -d +)"
echo "the open menu: ${mw}x${mh} at $mx,$my"
boxes=$(convert "$work/menu_open.png" -crop "22x${mh}+$((mx + 2))+$my" +repage \
          -colorspace gray -threshold 55% -negate -scale "1x${mh}!" -threshold 0 txt:- |
        awk -F'[ ,:]+' 'NR > 1 { dark = ($0 ~ /white|#FFFFFF/) }
                        NR > 1 && dark && !was { runs++ } { was = dark } END { print runs + 0 }')
echo "check boxes in the Options menu: $boxes"
[ "$boxes" -ge 4 ] || fail "the Options menu shows $boxes check boxes for its 4 switches (see $work)"
echo "ok"
