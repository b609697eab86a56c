#!/bin/sh
# The window host as a tour shows it (`./truv.sh window` under Xvfb, in the tours' Wine
# prefix, in Chinese at 96 dpi) against the README's picture, in the places where a badly set-up prefix shows:
# a hyphen (dropped by some fonts), a Chinese caption (strokes lost in a font's small
# bitmaps) and the caption buttons (letters instead of symbols without Marlett). Each place
# must hold ink and match the picture; a changed window means a new picture
# (sh docs/images/screenshot-window.sh).
# usage: window_shot_test.sh REPO BUILD [SHOT.png]   (SHOT: check that picture, take none)
set -u
repo=$1
build=$2
reference=$repo/docs/images/window-host.png
for tool in xvfb-run xdotool /usr/bin/import /usr/bin/convert /usr/bin/compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shot=${3:-$work/shot.png}
if [ $# -lt 3 ]; then
  TRUV_TOUR_BUILT=1 TRUV_SHOT_BUILD=$build sh "$repo/docs/images/screenshot-window.sh" "$shot" \
    >"$work/log" 2>&1 || { echo "FAIL: no screenshot:"; cat "$work/log"; exit 1; }
fi

# Dark pixels of a region, and the pixels where two pictures differ in it by more than 10 %.
ink() { /usr/bin/convert "$1" -crop "$2" +repage -colorspace gray -threshold 50% \
          -format '%[fx:round(w*h*(1-mean))]' info:; }
differing() {
  /usr/bin/convert "$1" -crop "$3" +repage "$work/a.png"
  /usr/bin/convert "$2" -crop "$3" +repage "$work/b.png"
  /usr/bin/compare -metric AE -fuzz 10% "$work/a.png" "$work/b.png" null: 2>&1
}

failed=0
while IFS='|' read -r place region least; do
  found=$(ink "$shot" "$region")
  changed=$(differing "$shot" "$reference" "$region")
  if [ "$found" -lt "$least" ] || [ "$changed" != 0 ]; then
    echo "FAIL: $place ($region): $found dark pixels (at least $least), $changed differ"
    failed=1
  fi
done <<'PLACES'
the hyphen of CAD-LINK|4x5+99+89|2
the caption 特种结构|48x13+230+27|50
the caption buttons|50x14+704+5|40
PLACES
[ "$failed" = 0 ] || { cp "$shot" "$build/window-shot-failed.png"; exit 1; }

# The search in use: "jzpmt" typed lists 建筑剖面图 by its path in the second row, as in the
# README's picture of it.
search=$work/search.png
if [ $# -lt 3 ]; then
  TRUV_TOUR_BUILT=1 TRUV_SHOT_BUILD=$build sh "$repo/docs/images/screenshot-window.sh" --search \
    "$search" >"$work/log" 2>&1 || { echo "FAIL: no screenshot of the search:"; cat "$work/log"; exit 1; }
  region=280x13+22+97
  found=$(ink "$search" "$region")
  changed=$(differing "$search" "$repo/docs/images/window-search.png" "$region")
  if [ "$found" -lt 100 ] || [ "$changed" != 0 ]; then
    echo "FAIL: the search's second result ($region): $found dark pixels, $changed differ"
    cp "$search" "$build/window-search-failed.png"
    exit 1
  fi
fi
echo "the tour's window host draws the hyphen, the Chinese caption and the caption buttons," \
  "and lists the search's results by their paths"
