#!/bin/sh
# A short guided tour of truvApp at work: the reference host truvhost loads the plug-in,
# shows its menu and runs items against a demonstration installation in which every program
# of the suite is a stand-in that records how it was started.
#
#   scripts/tour.sh            the Windows build under Wine, without a display (Wine's null
#                              driver; message boxes are printed and acknowledged by the host)
#   scripts/tour.sh --native   the same with the POSIX build
#
# It builds what it needs (build/win32 or build/native, or TRUV_TOUR_BUILD), lays the installation out in a fresh
# temporary folder and leaves it there for you to explore; the last lines tell how.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
mode=win32
[ "${1:-}" = "--native" ] && mode=native
build="${TRUV_TOUR_BUILD:-$repo/build/$mode}"
tour=$(mktemp -d "${TMPDIR:-/tmp}/truv-tour.XXXXXX")

say() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

say "Building the $mode plug-in, the host and the stand-ins ($build)"
cmake --preset "$mode" -B "$build" >/dev/null
cmake --build "$build" --target truvApp truvhost truv_demo truv_standin >/dev/null

if [ "$mode" = win32 ]; then
  # Windows programs under Wine; paths as Windows sees them through drive Z:.
  winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
  run() { "$build/wine-run.sh" "$@"; }
  host="$build/bin/truvhost.exe"
  demo="$build/bin/truv-demo.exe"
  dir=$(winpath "$tour")
  export TRUV_SUITE_JOURNAL="$dir\\TRUV\\suite.journal"
else
  run() { "$@"; }
  host="$build/bin/truvhost"
  demo="$build/bin/truv-demo"
  dir="$tour"
  export TRUV_SUITE_JOURNAL="$tour/TRUV/suite.journal"
  export TRUV_REGISTRY="$tour/registry"
  export TRUV_BOX_NOWAIT=1
fi
# A fresh start: the host writes menu.txt beside itself the first time.
rm -f "$build/bin/menu.txt"

say "A demonstration installation in $tour"
run "$demo" install "$dir"

cd "$tour/project"
item() {
  say "$1"
  echo "truvhost explain '$2':"
  run "$host" explain "$2" | sed 's/^/  | /'
  echo "truvhost --auto-ok run '$2':"
  run "$host" --auto-ok run "$2" 2>&1
  echo "what the stand-ins saw:"
  run "$demo" journal "$dir"
}

say "The menu tree as the host builds it from menu.txt (first lines; 'truvhost list' shows all)"
run "$host" list | head -n 24
echo "  ... $(run "$host" list | grep -c 'key: ') items in all"

item "An item with one program" "CORECAD|画结构平面图"
item "An item with two programs, started one after the other" "ORION|施工模拟与多模型比对"
item "A help document, opened by the help viewer" "CORECAD|使用手册"
item "A flow steered by work files: DetailSel.exe leaves XT1.tmp, so ArchMain.exe X follows" \
     "三维建筑设计 BLDG|建筑大样图"
item "The notice of the module still in development" "底框-抗震墙结构三维分析|生成VEGA数据"
item "A program that fails (the demonstration's LoadChk.exe ends with exit code 3)" \
     "CORECAD|平面荷载显示校核"

say "The doctor on the complete installation"
run "$host" doctor && echo "(exit status 0)"

say "The doctor after removing a program and the ORION key of CFGPATH"
rm -f "$tour/TRUV/CORE/LOADCHK.EXE" "$tour/TRUV/CORE/LoadChk.exe"
awk 'skip { skip = 0; next } $0 == "ORION" || $0 == "ORION\r" { skip = 1; next } { print }' \
  "$tour/TRUV/CFGPATH" > "$tour/CFGPATH.new" && mv "$tour/CFGPATH.new" "$tour/TRUV/CFGPATH"
if run "$host" doctor; then echo "(exit status 0)"; else echo "(exit status $?)"; fi

say "Your turn"
if [ "$mode" = win32 ]; then
  launcher="$build/wine-run.sh "
  environment="TRUV_SUITE_JOURNAL='$TRUV_SUITE_JOURNAL'"
  # Without a display Wine's boxes have nobody to press OK: the host echoes and acknowledges
  # them (drop --auto-ok under a real display to see the boxes themselves).
  options=" --auto-ok"
else
  launcher=""
  options=""
  environment="TRUV_REGISTRY=$TRUV_REGISTRY TRUV_SUITE_JOURNAL=$TRUV_SUITE_JOURNAL"
fi
printf '%s\n' "The installation stays in $tour. The doctor's part broke it on purpose; repair it with" \
  "  $launcher$demo install '$dir'" \
  "To use the menu yourself:" \
  "" \
  "  cd $tour/project" \
  "  $environment $launcher$host$options" \
  "" \
  "Pick by number, 'b' goes back, 'q' quits. 'truvhost doctor' checks the installation," \
  "'truvhost explain KEY' tells what an item does, 'truv-demo journal DIR' what ran."
