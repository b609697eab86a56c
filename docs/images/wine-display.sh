#!/bin/sh
# Shared by the screenshot scripts that run truvhost.exe themselves: builds the DLL and the
# host and exports the environment of a Wine prefix kept for pictures (never the tests'
# prefix). Inside the display, `display_prefix` readies it as every prefix people look at
# is readied (scripts/display-prefix.sh: Chinese fonts, the caption buttons' symbol font,
# 120 dpi, the x11 driver).
# Sourced with $repo and $build set.
: "${build:?set build to the win32 build tree}"
cmake --build "$build" --target truvApp truvhost >/dev/null
export WINEPREFIX="$build/screenshot-prefix"
export TMPDIR="$WINEPREFIX/tmp"  # as wine-run.sh keeps it: nothing left in /tmp
mkdir -p "$TMPDIR"
export WINEARCH=win32 WINEDEBUG=-all LANG=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
export TRUV_DISPLAY_PREFIX="sh '$repo/scripts/display-prefix.sh' '$build/wine-run.sh' '$WINEPREFIX' x11"
unset LC_ALL LC_CTYPE
