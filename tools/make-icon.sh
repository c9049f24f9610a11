#!/usr/bin/env bash
# Completes the program's icon (a picture with mountains and a sun) with the
# sizes the system asks for at other screen scales: the 16 and 32 pixel
# images of res/murovex.ico stay as they are (so nothing changes at 100%),
# and 20, 24 and 48 pixel images are drawn from the same 32-unit design,
# not scaled from one bitmap, so each stays sharp. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

draw() {
  local size="$1"
  # Design units are 1/32 of the icon; ImageMagick's coordinates are pixel
  # centres, hence the half pixel.
  local s
  s=$(awk -v n="$size" 'BEGIN { printf "%.5f", n / 32 }')
  at() { awk -v v="$1" -v s="$s" 'BEGIN { printf "%.2f", v * s - 0.5 }'; }
  len() { awk -v v="$1" -v s="$s" 'BEGIN { printf "%.2f", v * s }'; }
  convert -size "${size}x${size}" xc:none \
    -fill '#1F6FB2' -draw "roundrectangle $(at 1),$(at 3) $(at 31),$(at 29) $(len 4.5),$(len 4.5)" \
    -fill '#FFD54A' -draw "circle $(at 23.5),$(at 9.5) $(at 23.5),$(at 12.5)" \
    -fill '#9FD3FF' -draw "polygon $(at 4),$(at 26.5) $(at 12.5),$(at 13) $(at 18),$(at 21) $(at 22),$(at 16) $(at 28),$(at 26.5)" \
    "PNG32:$work/icon-$size.png"
}

# The icon's own images of a size, where it has one.
keep() {
  local size="$1" index
  index=$(identify -format '%p %w\n' res/murovex.ico | awk -v n="$size" '$2 == n { print $1; exit }')
  if [ -n "$index" ]; then
    convert "res/murovex.ico[$index]" "PNG32:$work/icon-$size.png"
  else
    draw "$size"
  fi
}

for size in 16 32; do keep "$size"; done
for size in 20 24 48; do draw "$size"; done
# Smallest first; 32-bit images with their alpha channel.
convert "$work"/icon-16.png "$work"/icon-20.png "$work"/icon-24.png "$work"/icon-32.png "$work"/icon-48.png\
  res/murovex.ico
