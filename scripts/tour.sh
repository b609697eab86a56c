#!/bin/sh
# A short guided tour of truvApp at work: the reference host truvhost loads the plug-in,
# shows its menu and runs items against a demonstration installation in which every program
# of the suite is a stand-in that records how it was started.
#
#   scripts/tour.sh            the Windows build under Wine, without a display (Wine's null
#                              driver; message boxes are printed and acknowledged by the host)
#   scripts/tour.sh --native   the same with the POSIX build
#   scripts/tour.sh --set-up   lays out an installation and its truv.sh, takes no step and
#                              prints only the tour's folder (for scripts and tests)
#
# It builds what it needs (build/win32 or build/native, or TRUV_TOUR_BUILD) and lays the
# installation out in a fresh folder under ${TMPDIR:-/tmp}, a few MB (the stand-ins are hard
# links of one program), with a script `truv.sh` that runs the host against it. Every tour has
# its own installation; under Wine all tours share one prefix of the build tree
# (build/win32/tour-prefix, apart from the tests' one), and `truv.sh` points the prefix's
# registry value at its own installation before each start, so an older tour keeps working.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
# Run with sudo, the tour and its build belong to the user who asked for it.
. "$repo/scripts/as-sudo-user.sh"
truv_as_sudo_user "$repo" sh "$repo/scripts/tour.sh" "$@"
mode=win32
steps=yes
for option in "$@"; do
  case $option in
    --native) mode=native ;;
    --set-up) steps=no ;;
    *) echo "usage: sh scripts/tour.sh [--native] [--set-up]" >&2; exit 2 ;;
  esac
done
build="${TRUV_TOUR_BUILD:-$repo/build/$mode}"
tour=$(mktemp -d "${TMPDIR:-/tmp}/truv-tour.XXXXXX")

# Headings in bold on a terminal only: a log gets text.
bold='' plain=''
[ -t 1 ] && bold=$(printf '\033[1m') plain=$(printf '\033[0m')
say() { [ "$steps" = no ] || printf '\n%s== %s%s\n' "$bold" "$*" "$plain"; }

log="$tour/build.log"
if [ -z "${TRUV_TOUR_BUILT:-}" ]; then  # TRUV_TOUR_BUILT=1: a test whose tree is built
  say "Building the $mode plug-in, the host and the stand-ins (about 3 minutes on a first" \
      "run; log: $log)"
  # With a progress line while it builds; --set-up prints nothing but the folder.
  commands='cmake --preset "$0" -B "$1" &&
            cmake --build "$1" --target truvApp truvhost truv_demo truv_standin'
  if [ "$steps" = yes ]; then
    building() { bash "$repo/scripts/progress.sh" "$log" building sh -c "$commands" "$mode" "$build"; }
  else
    building() { sh -c "$commands" "$mode" "$build" >"$log" 2>&1; }
  fi
  if ! building
  then
    tail -n 20 "$log"
    echo "tour.sh: the build failed; the whole log is $log" >&2
    exit 1
  fi
fi

# The window host is a Windows program: only the tour under Wine offers it.
window_line=""
window_comment="# (the window host, ./truv.sh window, is in the tour under Wine)"
if [ "$mode" = win32 ]; then
  window_line="  ./truv.sh window      the menu bar in a window (under a display)"
  window_comment="#   ./truv.sh window       the menu bar in a window (needs a display)"
  dir=$(printf 'Z:%s' "$tour" | tr '/' '\\')
  ext=.exe
  setup="export TRUV_WINEPREFIX='$build/tour-prefix'
export TRUV_SUITE_JOURNAL='$dir\\TRUV\\suite.journal'
run() { '$build/wine-run.sh' \"\$@\"; }"
else
  dir=$tour
  ext=
  setup="export TRUV_REGISTRY='$tour/registry' TRUV_SUITE_JOURNAL='$tour/TRUV/suite.journal'
run() { \"\$@\"; }"
fi

# The tour's own script: the host and the journal against this installation.
cat >"$tour/truv.sh" <<SCRIPT
#!/bin/sh
# truvhost against the installation of the tour in $tour.
#   ./truv.sh              the menu as numbered lists (d: project folder, b: back, q: quit)
$window_comment
#   ./truv.sh doctor       checks the installation
#   ./truv.sh explain KEY  what an item does, without starting anything
#   ./truv.sh journal      what the stand-ins started since last time
#   ./truv.sh install      lays the installation out again (repairs it)
#   ./truv.sh list | run KEY | any other truvhost command
set -eu
$setup
bin='$build/bin'
cd '$tour/project'
if [ "\${1:-}" = journal ]; then run "\$bin/truv-demo$ext" journal '$dir'; exit; fi
if [ "\${1:-}" = install ]; then run "\$bin/truv-demo$ext" install '$dir'; exit; fi
# This installation's registry value, whatever another tour or test run put there.
run "\$bin/truv-demo$ext" point '$dir'
SCRIPT
if [ "$mode" = win32 ]; then
  cat >>"$tour/truv.sh" <<SCRIPT
# Wine's graphics driver: x11 for the window, else null (the host echoes and presses OK).
want=null
[ "\${1:-}" = window ] && want=x11
[ "\$want" = x11 ] && [ -z "\${DISPLAY:-}" ] && { echo "truv.sh: no display" >&2; exit 1; }
sh '$repo/scripts/display-prefix.sh' '$build/wine-run.sh' "\$TRUV_WINEPREFIX" "\$want"
SCRIPT
  cat >>"$tour/truv.sh" <<'SCRIPT'
if [ "$want" = x11 ]; then run "$bin/truvhost.exe" "$@"; else run "$bin/truvhost.exe" --auto-ok "$@"; fi
SCRIPT
else
  cat >>"$tour/truv.sh" <<'SCRIPT'
[ $# -gt 0 ] && export TRUV_BOX_NOWAIT=1  # commands run through; the menus wait for Enter
run "$bin/truvhost" "$@"
SCRIPT
fi
chmod +x "$tour/truv.sh"
truv() { "$tour/truv.sh" "$@"; }

say "A demonstration installation in $tour"
eval "$setup"
if [ "$steps" = no ]; then
  run "$build/bin/truv-demo$ext" install "$dir" >/dev/null
  echo "$tour"
  exit 0
fi
run "$build/bin/truv-demo$ext" install "$dir"

item() {
  say "$1"
  echo "./truv.sh explain '$2':"
  truv explain "$2" | sed 's/^/  | /'
  echo "./truv.sh run '$2':"
  # Exit status 3: the item showed a message box, as some of these items do on purpose.
  status=0
  truv run "$2" 2>&1 || status=$?
  case $status in
    0) ;;
    3) echo "(exit status 3: the item showed a message box)" ;;
    *) exit "$status" ;;
  esac
  echo "./truv.sh journal (what the stand-ins saw):"
  truv journal
}

say "The menu tree as the host builds it from menu.txt (first lines; './truv.sh list' shows all)"
truv list >"$tour/list.txt"
head -n 24 "$tour/list.txt"
echo "  ... $(grep -c 'key: ' "$tour/list.txt") items in all"
rm -f "$tour/list.txt"

item "An item with one program" "CORECAD|画结构平面图"
item "An item with two programs, started one after the other" "ORION|施工模拟与多模型比对"
item "A help document, opened by the help viewer" "CORECAD|使用手册"
item "A flow steered by work files: DetailSel.exe leaves XT1.tmp, so ArchMain.exe X follows" \
     "三维建筑设计 BLDG|建筑大样图"
item "The notice of the module still in development" "底框-抗震墙结构三维分析|生成VEGA数据"
item "A program that fails (the demonstration's LoadChk.exe ends with exit code 3)" \
     "CORECAD|平面荷载显示校核"

say "The doctor on the complete installation"
truv doctor && echo "(exit status 0)"

say "The doctor after removing a program and the ORION key of CFGPATH"
rm -f "$tour/TRUV/CORE/LOADCHK.EXE" "$tour/TRUV/CORE/LoadChk.exe"
awk 'skip { skip = 0; next } $0 == "ORION" || $0 == "ORION\r" { skip = 1; next } { print }' \
  "$tour/TRUV/CFGPATH" > "$tour/CFGPATH.new" && mv "$tour/CFGPATH.new" "$tour/TRUV/CFGPATH"
if truv doctor; then echo "(exit status 0)"; else echo "(exit status $?)"; fi

say "Your turn"
printf '%s\n' "The installation stays in $tour ($(du -sh "$tour" | cut -f1))." \
  "" \
  "  cd $tour" \
  "  ./truv.sh             the menu: pick by number, d = project folder, b = back, q = quit" \
  ${window_line:+"$window_line"} \
  "  ./truv.sh doctor      checks the installation" \
  "  ./truv.sh explain 'CORECAD|画结构平面图'    what an item does" \
  "  ./truv.sh journal     what the stand-ins started" \
  "  ./truv.sh install     repairs what the doctor's part broke on purpose" \
  "" \
  "The first lines of ./truv.sh tell the rest. Remove the tour with: rm -r $tour"
