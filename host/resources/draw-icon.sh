#!/bin/sh
# Draws truvhost.ico from primitives: a blue tile holding a menu (three white lines, the
# first one picked) and an orange arrow that starts the pick; 16, 24, 32, 48 and 256 pixels,
# each drawn at its own size so that the small ones stay sharp.
# usage: sh host/resources/draw-icon.sh [OUT.ico]   (ImageMagick's convert)
set -eu
out=${1:-$(dirname "$0")/truvhost.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 24 32 48 256; do
  # Coordinates on a 32-unit grid, scaled to the size.
  u() { awk "BEGIN { print $1 * $size / 32 }"; }
  /usr/bin/convert -size "${size}x${size}" xc:none \
    -fill '#1f5fa8' -draw "roundrectangle 0,0 $(u 31.5),$(u 31.5) $(u 5),$(u 5)" \
    -fill '#ffffff' \
    -draw "rectangle $(u 5),$(u 6) $(u 20),$(u 9.5)" \
    -draw "rectangle $(u 5),$(u 14) $(u 20),$(u 17.5)" \
    -draw "rectangle $(u 5),$(u 22) $(u 20),$(u 25.5)" \
    -fill '#f59a23' \
    -draw "polygon $(u 22),$(u 4) $(u 30),$(u 7.75) $(u 22),$(u 11.5)" \
    -define png:exclude-chunks=date,time -strip "PNG32:$work/$size.png"
done
/usr/bin/convert "$work/16.png" "$work/24.png" "$work/32.png" "$work/48.png" "$work/256.png" \
  -define png:exclude-chunks=date,time "$out"
echo "wrote $out"
