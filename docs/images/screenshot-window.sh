#!/bin/sh
# Regenerates a picture of `./truv.sh window` of a tour under Xvfb, in the tours' Wine prefix:
#   menus    docs/images/window-host.png: a group menu and one of its module menus open
#   search   docs/images/window-search.png: "jzpmt" typed into the search box, the results
#            listed by their paths
# The window speaks the user's language (the tours' prefix: Chinese) unless --lang says
# otherwise, at 96 dpi unless --dpi says otherwise (the prefix's LogPixels for the picture,
# put back afterwards).
# usage: sh docs/images/screenshot-window.sh [--search] [--lang en|zh] [--dpi N] [OUT.png]
#        (builds build/win32 as the tour does)
#   sh docs/images/screenshot-window.sh                    window-host.png
#   sh docs/images/screenshot-window.sh --lang en docs/images/window-host-en.png
#   sh docs/images/screenshot-window.sh --dpi 144 docs/images/window-host-144.png
#   sh docs/images/screenshot-window.sh --search           window-search.png
#   under Wine 10, the window test's own pictures, window-host.png and window-search.png:
#   sh docs/images/screenshot-window.sh --dpi 120 tests/host/window/wine-10/window-host.png
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
build="${TRUV_SHOT_BUILD:-$repo/build/win32}"
# The menu bar: Project, then the groups. F10 selects the project menu, Right the first group,
# Down opens it on its first module, Right opens that module's menu. Typing in the window goes
# to the search box. Escapes close the menus or empty the box; Alt+P, X closes the window.
show="key F10 Right Down Right"
picture=window-host.png
lang=
dpi=96
while [ $# -gt 0 ]; do
  case $1 in
    --search) show="type --delay 100 jzpmt" picture=window-search.png ;;
    --lang) lang="--lang ${2:?--lang needs en or zh}"; shift ;;
    --dpi) dpi=${2:-}; [ $# -lt 2 ] || shift ;;
    -*) echo "screenshot-window.sh: $1: no such option" >&2; exit 2 ;;
    *) break ;;
  esac
  shift
done
case $dpi in
  '' | *[!0-9]*) echo "screenshot-window.sh: --dpi $dpi: not a whole number" >&2; exit 2 ;;
esac
if [ "$dpi" -lt 48 ] || [ "$dpi" -gt 480 ]; then
  echo "screenshot-window.sh: --dpi $dpi: outside 48 to 480" >&2
  exit 2
fi
out="${1:-$repo/docs/images/$picture}"
[ -d "$(dirname "$out")" ] || { echo "screenshot-window.sh: no folder for $out" >&2; exit 2; }
# The screen grows with the scale: the window is 760x440 at 96 dpi.
screen="$((900 * dpi / 96))x$((560 * dpi / 96))x24"
# One picture at a time in the shared prefix: another run's DPI or server stop would spoil
# this one's, and its restore would put back this run's DPI.
prefix=$build/tour-prefix
exec 9>"$prefix.shot-lock"
flock 9
tours=$(mktemp -d "${TMPDIR:-/tmp}/truv-shot.XXXXXX")
shot=$tours/shot.png
trap 'rm -rf "$tours"' EXIT
# Interrupted or killed, the script still ends through its EXIT trap (the DPI put back).
trap 'exit 130' INT
trap 'exit 143' TERM HUP
tour=$(TMPDIR=$tours TRUV_TOUR_BUILD=$build sh "$repo/scripts/tour.sh" --set-up)
# The prefix readied for people to look at before its DPI is set for the picture: readied
# later, by the window's first start, it would set its own DPI over this one.
sh "$repo/scripts/display-prefix.sh" "$build/wine-run.sh" "$prefix" null
desktop='HKCU\Control Panel\Desktop'
logpixels() {
  TRUV_WINEPREFIX=$prefix "$build/wine-run.sh" reg add "$desktop" /v LogPixels /t REG_DWORD \
    /d "$1" /f >/dev/null 2>&1
}
# reg prints the value in hexadecimal (0x78); the shell's printf reads it, as not every awk does.
was=$(TRUV_WINEPREFIX=$prefix "$build/wine-run.sh" reg query "$desktop" /v LogPixels 2>/dev/null |
  tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
was=$(printf '%d' "${was:-120}" 2>/dev/null) || was=120
logpixels "$dpi"
trap 'logpixels "$was"; TRUV_WINEPREFIX=$prefix "$build/wine-run.sh" --stop; rm -rf "$tours"' EXIT
# The set-up left the prefix's server running without a display: a window host started through
# it would open its window there, never on the display below. The new DPI also needs a new
# server.
TRUV_WINEPREFIX="$prefix" "$build/wine-run.sh" --stop
xvfb-run -a -s "-screen 0 $screen" sh -c '
  # Recent picks kept in the shared prefix would add a menu: this tour keeps its own.
  mkdir -p "$1/state"
  TRUVHOST_STATE_DIR="Z:$(printf "%s" "$1/state" | tr / "\\\\")" \
    "$1/truv.sh" window $7 >/dev/null 2>&1 &
  host=$!
  window=$(sh "$3" "^truvhost\$")
  xdotool windowmove "$window" 0 0 windowfocus --sync "$window"
  xdotool $6
  # import reads the open menus (separate X windows) as shown; xwd -root leaves them black.
  # The picture is taken once the screen holds still: two painted takes a second apart alike.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  for take in $(seq 20); do
    sleep 1
    /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+0+0" "png:$2.new"
    # A black take is a window not painted yet (a busy machine), however still it holds.
    [ "$(/usr/bin/convert "$2.new" -format "%[fx:mean>0.1]" info:)" = 1 ] || continue
    [ -f "$2.old" ] && [ "$(/usr/bin/compare -metric AE "$2.old" "$2.new" null: 2>&1)" = 0 ] &&
      break
    mv "$2.new" "$2.old"
  done
  mv "$2.new" "$2" 2>/dev/null || mv "$2.old" "$2"
  rm -f "$2.old"
  xdotool key Escape Escape Escape alt+p x
  for second in 1 2 3 4 5 6 7 8 9 10; do kill -0 $host 2>/dev/null || break; sleep 1; done
  # Wine keeps its desktop process connected to the display after the host has gone; it
  # ends here, before Xvfb, or it reports "X connection to :99 broken" when Xvfb goes.
  TRUV_WINEPREFIX="$4" "$5" --stop
  wait
' sh "$tour" "$shot" "$repo/docs/images/find-window.sh" "$prefix" \
  "$build/wine-run.sh" "$show" "$lang"
# Xvfb's stage tells no failure by its status: the picture itself is the proof (a black one
# is a window never painted).
painted=$(/usr/bin/convert "$shot" -format "%[fx:mean>0.1]" info: 2>/dev/null)
if [ ! -s "$shot" ] || [ "$painted" != 1 ]; then
  echo "screenshot-window.sh: no picture of the window was taken; $out left as it was" >&2
  exit 1
fi
cp "$shot" "$out"
echo "wrote $out"
