#!/usr/bin/env bash
# Builds the Debian package with CPack, unpacks it into a temporary root and checks that
# it holds a working player: both programs, the desktop entry, the icon at every size of the
# hicolor theme, a manual page that documents every option of --help, the Debian
# dependencies on the libraries the programs link, stripped programs (their debug
# information in the -dbgsym package beside) and the demo game, sound and playable.
#
# usage: deb_install.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
mkdir -p "$work/root"

fail() { echo "deb_install: $*" >&2; exit 1; }

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > cpack.log 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/talewick-player_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb was made"
dpkg-deb -x "$deb" "$work/root"
root=$work/root

# Every file lives under /usr.
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -v '^\./$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# The dependencies: the libraries the programs link, and the fonts they open by name.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libsdl2 libavcodec libavformat libfluidsynth \
               fonts-liberation2 fonts-dejavu-core; do
  grep -q "$package" <<< "$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in the games section"

# Stripped programs: no debug sections, and a size far below the 96.5 MB the package had
# when it shipped them with their debug information. That information is in the -dbgsym
# package, one file per program under its build id.
size=$(dpkg-deb -f "$deb" Installed-Size)
echo "deb_install: installed size $size KB"
[ "$size" -lt 30000 ] || fail "installed size $size KB: are the programs stripped?"
for program in talewick-player talewick-vbs; do
  sections=$(readelf -S -W "$root/usr/bin/$program" | grep -oE '\.debug_[a-z_]+' | sort -u || true)
  [ -z "$sections" ] || fail "usr/bin/$program keeps its debug information: $sections"
done
dbgsym=$(ls "$work"/talewick-player-dbgsym_*.ddeb 2>/dev/null | head -n 1)
[ -n "$dbgsym" ] || fail "no -dbgsym package beside the package"
debug_files=$(dpkg-deb -c "$dbgsym" | grep -c '/usr/lib/debug/\.build-id/.*\.debug$' || true)
[ "$debug_files" -ge 2 ] || fail "the -dbgsym package holds $debug_files debug files, not 2"

# The programs run from the unpacked root.
for program in talewick-player talewick-vbs; do
  [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program missing or not executable"
done
version=$(dpkg-deb -f "$deb" Version)
[ "$("$root/usr/bin/talewick-player" --version)" = "talewick-player $version" ] ||
  fail "--version does not print the package's version $version"
printf 'WScript.Echo 6 * 7\n' > "$work/answer.vbs"
[ "$("$root/usr/bin/talewick-vbs" "$work/answer.vbs")" = 42 ] || fail "talewick-vbs does not run"

[ -f "$root/usr/share/doc/talewick-player/README.md" ] || fail "no README in the package's doc folder"

# The demo game: there, sound, and playable from the beach to the lighthouse door.
demo=$root/usr/share/games/talewick/demo
[ -f "$demo/Config/General" ] || fail "no demo game in usr/share/games/talewick/demo"
checked=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/talewick-player" --check "$demo") ||
  fail "--check finds problems in the installed demo: $checked"
[ "$checked" = "$demo: no problems found" ] || fail "--check of the demo says: $checked"
# A new user's library holds the installed demo.
listed=$(XDG_DATA_HOME="$work/data" "$root/usr/bin/talewick-player" --list)
[ "$listed" = "The Lighthouse Keeper's Lamp	$(cd "$demo" && pwd -P)" ] ||
  fail "a new library does not hold the installed demo: $listed"
printf 'start\nclick 320 250\nwait 1100\nclick 548 330\nwait 900\n' > "$work/demo.replay"
frame=$(QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy \
        "$root/usr/bin/talewick-player" --replay "$work/demo.replay" --dump-state "$demo" |
        grep -oE '"frame": *"[^"]*"' || true)
[[ "$frame" == *'"Path"' ]] ||
  fail "the installed demo does not play on to the cliff path: $frame"

# The desktop entry opens the folder dialog: the program with no folder.
entry=$root/usr/share/applications/talewick-player.desktop
[ -f "$entry" ] || fail "no desktop entry"
grep -qx 'Categories=Game;AdventureGame;' "$entry" || fail "the entry's categories are wrong"
grep -qx 'Exec=talewick-player' "$entry" || fail "the entry does not start the bare program"
grep -qx 'Icon=talewick-player' "$entry" || fail "the entry names another icon"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
fi

# The icon: scalable, and a PNG of each fixed size.
[ -f "$root/usr/share/icons/hicolor/scalable/apps/talewick-player.svg" ] || fail "no SVG icon"
for size in 16 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/talewick-player.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done

# The manual page: section 6, this version, and every option --help lists.
man=$root/usr/share/man/man6/talewick-player.6.gz
[ -f "$man" ] || fail "no compressed manual page"
gzip -t "$man" || fail "the manual page is not a whole gzip file"
zgrep -q "^\.TH TALEWICK-PLAYER 6 .*$version" "$man" || fail "the manual page's title line is wrong"
text=$(MANWIDTH=200 man -l "$man" 2> "$work/man.err")
[ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "the manual page has errors"; }
options=$("$root/usr/bin/talewick-player" --help | grep -oE '^  (-h, )?--[a-z-]+' | grep -oE -- '--[a-z-]+')
[ "$(wc -l <<< "$options")" -ge 8 ] || fail "--help lists too few options: $options"
for option in $options -h; do
  grep -qe "$option" <<< "$text" || fail "the manual page does not document $option"
done
for key in Esc Q S Alt+Enter F8 "F12 F11 F10 F9"; do
  grep -qE "^ +${key//+/\\+}( |$)" <<< "$text" || fail "the manual page lacks the key $key"
done
echo "deb_install: $(basename "$deb") installs and checks out"
