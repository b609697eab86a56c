#!/bin/sh
# display-prefix.sh WINE_RUN PREFIX null|x11
# Readies a Wine prefix that people look at (the tours' one, the screenshots' one), so that
# every such prefix draws the same; the tests' prefixes never come here.
#  - The prefix itself is made by WINE_RUN, the build tree's wine-run.sh, as the tests' ones
#    are (code page 936, Wine's null graphics driver).
#  - Once per prefix: the Chinese font names of Windows replaced by WenQuanYi Micro Hei
#    (fonts-wqy-microhei: outlines only; Zen Hei's small bitmaps lose strokes, 特 reads as
#    "|寺") and Tahoma linked to it for the characters it lacks; Wine's own Tahoma and symbol
#    fonts copied into the prefix's Fonts folder, because Debian's Wine keeps them where it
#    does not look (without Marlett the caption buttons read "0 1 r"); 120 dpi and font
#    smoothing; unmanaged windows, as no window manager runs under Xvfb.
#  - Every time: the graphics driver asked for, null (no display: boxes are printed and
#    acknowledged by the host) or x11 on $DISPLAY. A running wineserver keeps the driver and
#    display it started with, so it is stopped when either changes.
set -eu
wine_run=$1
prefix=$2
driver=$3
setup_version=display-4
wine_fonts=/usr/share/wine/fonts

run() { TRUV_WINEPREFIX=$prefix "$wine_run" "$@" </dev/null >/dev/null 2>&1; }
stop_server() { TRUV_WINEPREFIX=$prefix "$wine_run" --stop; }

if [ "$(cat "$prefix/.truv-display" 2>/dev/null || true)" != "$setup_version" ]; then
  run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
  replacements='HKCU\Software\Wine\Fonts\Replacements'
  for name in SimSun NSimSun SimHei 'Microsoft YaHei'; do
    run reg add "$replacements" /v "$name" /t REG_SZ /d 'WenQuanYi Micro Hei' /f
  done
  run reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f
  desktop='HKCU\Control Panel\Desktop'
  run reg add "$desktop" /v LogPixels /t REG_DWORD /d 120 /f
  run reg add "$desktop" /v FontSmoothing /t REG_SZ /d 2 /f
  run reg add "$desktop" /v FontSmoothingType /t REG_DWORD /d 1 /f
  for font in marlett.ttf tahoma.ttf tahomabd.ttf symbol.ttf wingding.ttf webdings.ttf; do
    [ -f "$wine_fonts/$font" ] && cp "$wine_fonts/$font" "$prefix/drive_c/windows/Fonts/"
  done
  stop_server  # the fonts and settings take effect with the next server
  echo "$setup_version" >"$prefix/.truv-display"
fi

want=$driver
[ "$driver" = x11 ] && want="x11 ${DISPLAY:?no display for the x11 driver}"
if [ "$(cat "$prefix/.truv-driver" 2>/dev/null || echo null)" != "$want" ]; then
  key='HKCU\Software\Wine\Drivers'
  if [ "$driver" = x11 ]; then
    run reg delete "$key" /v Graphics /f || true
  else
    run reg add "$key" /v Graphics /t REG_SZ /d null /f
  fi
  stop_server
  echo "$want" >"$prefix/.truv-driver"
fi
