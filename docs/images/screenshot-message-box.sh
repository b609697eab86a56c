#!/bin/sh
# Regenerates docs/images/message-box.png: the plug-in's notice of the module in development,
# a real message box of truvApp.dll under Xvfb with Chinese fonts.
# usage: sh docs/images/screenshot-message-box.sh   (needs the win32 build tree)
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
build="${TRUV_SHOT_BUILD:-$repo/build/win32}"
out="$repo/docs/images/message-box.png"
. "$repo/docs/images/wine-display.sh"
# The item's flow shows the notice and starts nothing, so no installation is needed.
xvfb-run -a -s "-screen 0 800x450x24" sh -c '
  eval "$TRUV_DISPLAY_PREFIX"
  cd "$1" && wine ./truvhost.exe run "底框-抗震墙结构三维分析|生成VEGA数据" >/dev/null 2>&1 &
  box=$(sh "$3" "^truvApp\$")
  eval "$(xdotool getwindowgeometry --shell "$box")"
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "png:$2"
  xdotool windowfocus --sync "$box" key Return
  wait
  wineserver -k  # and wait: Wine'"'"'s desktop process leaves the display before Xvfb goes
  wineserver -w
' sh "$build/bin" "$out" "$repo/docs/images/find-window.sh"
echo "wrote $out"
