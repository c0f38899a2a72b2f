#!/usr/bin/env bash
# Installs every Debian 12 package the player needs to build, run and be tested.
# Does nothing when they are all installed already; uses sudo when not run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  clang llvm libclang-rt-dev ccache
  qt6-base-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libfluidsynth-dev fluid-soundfont-gm
  libsdl2-dev libxcb1-dev
  libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  ffmpeg
  nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool imagemagick x11-utils openbox wmctrl pulseaudio pulseaudio-utils
  dpkg-dev desktop-file-utils man-db
  strace python3-xlib
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "setup.sh: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
