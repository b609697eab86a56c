#!/bin/sh
# Regenerates docs/images/message-box.png: the plug-in's notice of the module in development,
# a real message box of truvApp.dll under Xvfb with Chinese fonts.
# usage: sh docs/images/screenshot-message-box.sh   (needs the win32 build tree)
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
build="${TRUV_SHOT_BUILD:-$repo/build/win32}"
out="$repo/docs/images/message-box.png"
cmake --build "$build" --target truvApp truvhost >/dev/null
. "$repo/docs/images/wine-display.sh"
# The item's flow shows the notice and starts nothing, so no installation is needed.
xvfb-run -a -s "-screen 0 800x450x24" sh -c '
  cd "$1" && wine ./truvhost.exe run "底框-抗震墙结构三维分析|生成VEGA数据" >/dev/null 2>&1 &
  for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    box=$(xdotool search --name "^truvApp\$" 2>/dev/null | head -n 1) && [ -n "$box" ] && break
    sleep 1
  done
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$box")"
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "png:$2"
  xdotool windowfocus --sync "$box" key Return
  wait
  wineserver -k
' sh "$build/bin" "$out"
echo "wrote $out"
