#!/usr/bin/env bash
# Renders data/talewick-player.svg into the PNG sizes kept in data/icons/ (the hicolor theme's
# fixed sizes and the program's window icon). Run it after changing the SVG; the PNGs are
# committed so that building needs no SVG renderer. The SVG uses plain fills only, which
# ImageMagick's own renderer draws the same as the desktop's.
set -euo pipefail
cd "$(dirname "$0")/../../data"
for size in 16 24 32 48 64 128 256; do
  convert -background none talewick-player.svg -resize "${size}x${size}" -depth 8 -strip \
          -define png:exclude-chunks=date,time \
          "icons/talewick-player-$size.png"
done
