#!/bin/sh
# Shared by the screenshot scripts: a Wine prefix of its own for pictures (never the test
# prefix, which uses Wine's null driver), set up once for Xvfb: the x11 driver with unmanaged
# windows (no window manager runs under Xvfb) and Chinese fonts.
# Sourced with $repo and $build set: builds the DLL and the host, exports WINEPREFIX and
# friends.
: "${build:?set build to the win32 build tree}"
cmake --build "$build" --target truvApp truvhost >/dev/null
export WINEPREFIX="$build/screenshot-prefix"
export WINEARCH=win32 WINEDEBUG=-all LANG=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
unset LC_ALL LC_CTYPE
if [ ! -f "$WINEPREFIX/.truv-screenshots-2" ]; then
  echo "setting up $WINEPREFIX (once)"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg import "$repo/docs/images/cjk-fonts.reg" >/dev/null 2>&1
  # 120 dpi: the Chinese font is drawn from its outlines (its small bitmaps are hard to read).
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.truv-screenshots-2"
fi
