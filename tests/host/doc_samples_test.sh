#!/bin/sh
# The samples of truvhost's output in the docs are what truvhost prints for the demonstration
# installation. A sample is the code block after a line `<!-- sample: NAME -->`; NAME is one of
# the cases below. Its lines, with Z:\tmp\demo standing for the installation's folder, must be
# the first lines of the output; "..." in a sample line stands for any text.
# usage: doc_samples_test.sh SOURCE_DIR TRUVHOST.EXE TRUV-DEMO.EXE RUNNER...   (under Wine)
set -u
source=$1 host=$2 demo=$3
shift 3
failed=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
win=$(printf 'Z:%s' "$tmp" | tr '/' '\\')

# The sample NAME of the docs, one line each, the folder made this run's.
sample() {
  cat "$source"/docs/*.md | awk -v name="$1" '
    $0 == "<!-- sample: " name " -->" { armed = 1; next }
    armed && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' |
    FROM='Z:\tmp\demo' TO="$win\\demo" awk '{
      while ((at = index($0, ENVIRON["FROM"])) > 0)
        $0 = substr($0, 1, at - 1) ENVIRON["TO"] substr($0, at + length(ENVIRON["FROM"]))
      print
    }'
}

# compare NAME OUTPUT-FILE: every sample line matches the output's line of its place.
compare() {
  sample "$1" >"$tmp/sample"
  if [ ! -s "$tmp/sample" ]; then
    echo "FAIL: no sample $1 in the docs"
    failed=1
    return
  fi
  n=0
  while IFS= read -r expected; do
    n=$((n + 1))
    actual=$(sed -n "${n}p" "$2")
    pattern=$(printf '%s' "$expected" | sed 's/[][*?\\]/\\&/g; s/\.\.\./*/g')
    # shellcheck disable=SC2254
    case $actual in
      $pattern) ;;
      *) printf 'FAIL: sample %s, line %d\n  docs:    %s\n  program: %s\n' "$1" "$n" \
           "$expected" "$actual"
         failed=1 ;;
    esac
  done <"$tmp/sample"
}

"$@" "$demo" install "$win\\demo" >/dev/null || { echo "FAIL: truv-demo install"; exit 1; }
# The host in a folder of its own, with the menu file its plug-in writes there.
mkdir "$tmp/demo/host"
cp "$host" "$(dirname "$host")"/*.dll "$tmp/demo/host/"
run() { (cd "$tmp/demo/project" && "$@") ; }
run "$@" "$tmp/demo/host/truvhost.exe" --auto-ok list >/dev/null

# The tour's broken installation: a program removed, and the key ORION of CFGPATH.
rm -f "$tmp/demo/TRUV/CORE/LOADCHK.EXE" "$tmp/demo/TRUV/CORE/LoadChk.exe"
cp "$tmp/demo/TRUV/CFGPATH" "$tmp/CFGPATH.whole"
awk 'skip { skip = 0; next } $0 == "ORION" || $0 == "ORION\r" { skip = 1; next } { print }' \
  "$tmp/CFGPATH.whole" >"$tmp/demo/TRUV/CFGPATH"
run "$@" "$tmp/demo/host/truvhost.exe" --auto-ok doctor >"$tmp/out" 2>&1
compare doctor-broken "$tmp/out"

rm "$tmp/demo/TRUV/CFGPATH"
run "$@" "$tmp/demo/host/truvhost.exe" --auto-ok doctor >"$tmp/out" 2>&1
compare doctor-no-cfgpath "$tmp/out"

# A menu file of an earlier version: without the module ORION-8, and one entry renamed.
mkdir "$tmp/demo/old"
LC_ALL=C awk '/^module="ORION-8"/ { drop = 1; next } /^module=/ { drop = 0 } !drop' \
  "$tmp/demo/host/menu.txt" | iconv -f GBK -t UTF-8 | sed 's/app="建筑大样图"/app="建筑详图"/' |
  iconv -f UTF-8 -t GBK >"$tmp/demo/old/menu.txt"
run "$@" "$tmp/demo/host/truvhost.exe" menu "$win\\demo\\old" >"$tmp/out" 2>&1
compare menu-old "$tmp/out"
run "$@" "$tmp/demo/host/truvhost.exe" menu --refresh "$win\\demo\\old" >"$tmp/out" 2>&1
compare menu-refresh "$tmp/out"

[ $failed -eq 0 ] && echo "every sample of the docs as the program prints it"
exit $failed
