#!/usr/bin/env bash
# Draws the program's icon, a magnifier over a map pin, at the sizes Windows
# asks for (16, 32 and 48 pixels) and writes resources/kariosearch.ico, which
# the program's resources carry.  The drawing is plain shapes on a 48-pixel
# grid, scaled down; the smaller sizes get wider strokes so that the lens and
# its handle still read at 16 pixels.  Needs ImageMagick (scripts/setup).
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() {  # size, lens stroke and handle stroke on the 48 grid
  local size=$1 lens=$2 handle=$3 scale
  scale=$(awk "BEGIN { print $size / 48 }")
  convert -size "${size}x${size}" xc:none -draw "
    scale $scale,$scale
    fill '#d22f2f' stroke '#8c1717' stroke-width 1.5
    path 'M 19,44 L 8.5,24 A 12,12 0 1 1 29.5,24 Z'
    fill white stroke none
    circle 19,16 19,21
    fill '#dcefffcc' stroke '#1d3f7a' stroke-width $lens
    circle 31,29 31,19
    fill none stroke '#1d3f7a' stroke-width $handle stroke-linecap round
    line 38.5,36.5 45,43" "$work/$size.png"
}
draw 16 6 9
draw 32 4.5 7
draw 48 4 6
convert "$work/16.png" "$work/32.png" "$work/48.png" kariosearch.ico
echo "resources/kariosearch.ico: $(identify -format '%wx%h ' kariosearch.ico)"
