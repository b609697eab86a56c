#!/usr/bin/env bash
# The main job for now: build the 32-bit Windows plug-in, load it under Wine the way the host
# does, let InitTruvApp write menu.txt, and print that file converted to UTF-8.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target truvApp

build=build/win32
i686-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Werror -static -static-libgcc \
  -static-libstdc++ scripts/menu_loader.cpp -o "$build/bin/menu_loader.exe"

rm -f "$build/bin/menu.txt"  # InitTruvApp keeps an existing file: start afresh
"$build/wine-run.sh" "$build/bin/menu_loader.exe"
WINEPREFIX="$PWD/$build/wineprefix" wineserver -k 2>/dev/null || true

echo "----- $build/bin/menu.txt (GBK, shown as UTF-8) -----"
iconv -f GBK -t UTF-8 "$build/bin/menu.txt"
