#!/usr/bin/env bash
# Makes a handful of sample wallpapers (gradients and patterns, one in each
# accepted format family) into the given folder with ImageMagick. Nothing is
# copied from elsewhere: every picture is drawn here.
set -euo pipefail
out="$1"
mkdir -p "$out"
size=1024x768
convert -size "$size" gradient:'#0b1d51-#f3a953' "$out/Dusk Gradient.jpg"
convert -size "$size" radial-gradient:'#9be15d-#00695c' -depth 8 "$out/Meadow Glow.png"
convert -size 128x96 pattern:checkerboard -scale 800% +level-colors '#2b6cb0,#e2e8f0' "$out/Blue Checks.gif"
convert -size "$size" gradient:'#3a1c71-#ffaf7b' \
  \( -size 342x256 pattern:hs_diagcross -scale 300% +level 35%,100% \) \
  -compose multiply -composite -depth 8 -compress lzw "$out/Woven Sunset.tif"
convert -size "$size" -seed 12 plasma:'#1d2671-#c33764' -blur 0x2 "$out/Plasma Dream.jpeg"
# A bitmap too: the desktop under Wine paints bitmaps only.
convert -size "$size" gradient:'#141e30-#4ca1af' -fill '#ffffff30' -draw 'circle 700,260 700,380' \
  -type TrueColor BMP3:"$out/Harbour Night.bmp"
