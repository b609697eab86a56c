#!/usr/bin/env bash
# The build tree's wine-run.sh and a Wine prefix that is not ready:
#  - cut short by killing wineboot mid-way: the next use makes it anew and runs the program;
#  - wineboot failing every time: tried twice, then a failure that names its output and the
#    folder to remove;
#  - a folder that this build did not make, outside the build tree or in it: left alone, named
#    for the person to remove.
# usage: wine_prefix_test.sh BUILD_DIR
set -u
build=$1
run=$build/wine-run.sh
work=$(mktemp -d)
prefix=$build/cut-prefix
cleanup() {
  TRUV_WINEPREFIX=$prefix "$run" --stop
  rm -rf "$work" "$prefix" "$prefix.lock" "$prefix.log"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Cut short: wineboot (and every process of that use) killed once the prefix has begun.
rm -rf "$prefix"
setsid env TRUV_WINEPREFIX="$prefix" "$run" cmd /c exit >/dev/null 2>&1 &
making=$!
for _ in $(seq 600); do
  [ -d "$prefix/drive_c/windows" ] && break
  sleep 0.2
done
[ -d "$prefix/drive_c/windows" ] || fail "cut short: wineboot never began the prefix"
{ kill -KILL -- -"$making"; wait "$making"; } 2>/dev/null
TRUV_WINEPREFIX=$prefix "$run" --stop
[ -f "$prefix/.truv-ready" ] && fail "cut short: ready although wineboot was killed"
touch "$prefix/left-from-the-cut"
TRUV_WINEPREFIX=$prefix "$run" cmd /c exit 3 >"$work/next.out" 2>&1
status=$?
[ "$status" -eq 3 ] || fail "cut short: the next use ended $status, not 3: $(cat "$work/next.out")"
[ -e "$prefix/left-from-the-cut" ] && fail "cut short: the prefix was not made anew"
[ -f "$prefix/.truv-ready" ] || fail "cut short: the prefix made again is not marked ready"
TRUV_WINEPREFIX=$prefix "$run" --stop
rm -rf "$prefix"

# A wineboot that aborts as Wine 10 did making a 32-bit prefix under zh_CN.UTF-8.
mkdir -p "$work/bin"
cat >"$work/bin/wineboot" <<STUB
#!/bin/sh
echo attempt >>"$work/attempts"
echo "free(): invalid pointer" >&2
exit 134
STUB
chmod +x "$work/bin/wineboot"
PATH=$work/bin:$PATH TRUV_WINEPREFIX=$prefix "$run" cmd /c exit >"$work/abort.out" 2>&1 &&
  fail "aborting wineboot: the program ran"
[ "$(wc -l <"$work/attempts" 2>/dev/null)" = 2 ] || fail "aborting wineboot: not tried twice"
grep -q 'free(): invalid pointer' "$work/abort.out" && grep -q "remove the folder $prefix" \
  "$work/abort.out" || fail "aborting wineboot: cause or folder not named: $(cat "$work/abort.out")"

# Folders that are no prefix of this build, outside the build tree and in it, or holding only
# a tmp folder (a server's folder's name): neither removed nor used.
for foreign in "$work/someone-elses" "$build/not-a-prefix" "$work/only-tmp/tmp"; do
  mkdir -p "$foreign" && echo "keep" >"$foreign/notes.txt"
  foreign=${foreign%/tmp}
  TRUV_WINEPREFIX=$foreign "$run" cmd /c exit >"$work/foreign.out" 2>&1 &&
    fail "$foreign: used as a prefix"
  [ -n "$(find "$foreign" -name notes.txt)" ] || fail "$foreign: removed"
  grep -q "remove the folder $foreign" "$work/foreign.out" ||
    fail "$foreign: not named: $(cat "$work/foreign.out")"
  rm -rf "$foreign" "$foreign.lock"
done

[ "$failures" -eq 0 ] && echo "wine prefix: all checks passed"
[ "$failures" -eq 0 ]
