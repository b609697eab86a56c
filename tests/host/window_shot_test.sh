#!/bin/sh
# The window host as a tour shows it (`./truv.sh window` under Xvfb, in the tours' Wine
# prefix, in Chinese) against pictures of it, in the places where a badly set-up prefix shows:
# a hyphen (dropped by some fonts), a Chinese caption (strokes lost in a font's small
# bitmaps), the caption buttons (letters instead of symbols without Marlett) and the search's
# results listed by their paths. Each place must hold ink and match the picture; a changed
# window means new pictures (sh docs/images/screenshot-window.sh, --dpi and --search as below).
# Wine 8 draws the window as the README shows it, at 96 dpi. Wine 10 draws text unsmoothed
# here, and at 96 dpi small Chinese glyphs lose strokes (砌 reads as 刎): it is shot at the
# tours' own 120 dpi, against pictures of its own (tests/host/window/wine-10).
# Afterwards the prefix is back at the tours' 120 dpi.
# usage: window_shot_test.sh REPO BUILD
set -u
repo=$1
build=$2
for tool in wine xvfb-run xdotool /usr/bin/import /usr/bin/convert /usr/bin/compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh)"; exit 1; }
done
wine_major=$(wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\).*/\1/p')
if [ "${wine_major:-0}" -ge 9 ]; then
  drawn_by=10 dpi=120 pictures=$repo/tests/host/window/wine-10
else
  drawn_by=8 dpi=96 pictures=$repo/docs/images
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# host: a group menu and one of its module menus open; search: "jzpmt" typed in.
for shot in host search; do
  option=
  [ "$shot" = search ] && option=--search
  # shellcheck disable=SC2086
  TRUV_TOUR_BUILT=1 TRUV_SHOT_BUILD=$build sh "$repo/docs/images/screenshot-window.sh" $option \
    --dpi "$dpi" "$work/window-$shot.png" >"$work/log" 2>&1 ||
    { echo "FAIL: no picture ($shot):"; cat "$work/log"; exit 1; }
done

# Dark pixels of a region, and the pixels where two pictures differ in it by more than 10 %.
ink() { /usr/bin/convert "$1" -crop "$2" +repage -colorspace gray -threshold 50% \
          -format '%[fx:round(w*h*(1-mean))]' info:; }
differing() {
  /usr/bin/convert "$1" -crop "$3" +repage "$work/a.png"
  /usr/bin/convert "$2" -crop "$3" +repage "$work/b.png"
  /usr/bin/compare -metric AE -fuzz 10% "$work/a.png" "$work/b.png" null: 2>&1
}

failed=0
while IFS='|' read -r wine shot place region least; do
  # The table's columns are padded: every field but the place is one word.
  wine=${wine%% *} shot=${shot%% *} region=${region%% *} least=${least%% *}
  place=${place%"${place##*[! ]}"}
  [ "$wine" = "$drawn_by" ] || continue
  found=$(ink "$work/window-$shot.png" "$region")
  changed=$(differing "$work/window-$shot.png" "$pictures/window-$shot.png" "$region")
  if [ "$found" -lt "$least" ] || [ "$changed" != 0 ]; then
    echo "FAIL: Wine $wine, $place ($region): $found dark pixels (at least $least), $changed differ"
    cp "$work/window-$shot.png" "$build/window-$shot-failed.png"
    failed=1
  fi
done <<'PLACES'
8 |host  |the hyphen of CAD-LINK        |4x5+99+89    |2
8 |host  |the caption 特种结构            |48x13+230+27 |50
8 |host  |the caption buttons           |50x14+704+5  |40
8 |search|the second result, by its path|280x13+22+97 |100
10|host  |the hyphen of CAD-LINK        |6x3+117+116  |3
10|host  |the caption 特种结构            |56x13+273+43 |100
10|host  |the caption buttons           |62x18+882+10 |60
10|search|the second result, by its path|280x13+26+130|100
PLACES

# The pictures' DPI is the prefix's only while they are taken.
logpixels=$(TRUV_WINEPREFIX=$build/tour-prefix "$build/wine-run.sh" reg query \
              'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null | tr -d '\r' |
              awk '$1 == "LogPixels" { print $3 }')
if [ "$logpixels" != 0x78 ]; then
  echo "FAIL: the tours' prefix was left at LogPixels ${logpixels:-(none)}, not 0x78 (120 dpi)"
  failed=1
fi
[ "$failed" = 0 ] || exit 1
echo "Wine $wine_major: the tour's window host draws the hyphen, the Chinese caption and the" \
  "caption buttons, and lists the search's results by their paths"
