#!/bin/sh
# Regenerates docs/images/window-host.png: truvhost's window host under Xvfb with Chinese
# fonts, a group menu and one of its module menus open.
# usage: sh docs/images/screenshot-window.sh   (needs the win32 build tree: cmake --preset win32)
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
build="${TRUV_SHOT_BUILD:-$repo/build/win32}"
out="$repo/docs/images/window-host.png"
. "$repo/docs/images/wine-display.sh"
# The menu bar: Project, then the groups. Keys: F10 selects "Project", Right the first
# group, Down opens it on its first module, Right opens that module's menu.
xvfb-run -a -s "-screen 0 900x560x24" sh -c '
  cd "$1" && wine ./truvhost.exe window >/dev/null 2>&1 &
  window=$(sh "$3" "^truvhost\$")
  xdotool windowmove "$window" 0 0 windowfocus --sync "$window"
  xdotool key F10 Right Down Right
  sleep 2
  # import reads the open menus (separate X windows) as shown; xwd -root leaves them black.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+0+0" "png:$2"
  xdotool key Escape Escape Escape
  wineserver -k
' sh "$build/bin" "$out" "$repo/docs/images/find-window.sh"
echo "wrote $out"
