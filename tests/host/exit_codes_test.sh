#!/bin/sh
# truvhost's exit codes where a failure used to pass for success: standard output full or
# closed, a reader that closed the pipe early, and an item that showed a message box.
# usage: exit_codes_test.sh TRUVHOST [RUNNER...]   (RUNNER: the emulator under Wine)
set -u
host=$1
shift
failed=0
expect() {  # expect CODE DESCRIPTION STATUS
  if [ "$3" -ne "$1" ]; then
    echo "FAIL: $2: exit status $3, expected $1"
    failed=1
  fi
}
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
"$@" "$host" list >/dev/full 2>"$errors"
expect 4 "list to a full disk" $?
grep -q "standard output could not be written" "$errors"
expect 0 "list to a full disk says so" $?
# A reader that is gone before the first line (`| head` that has read enough): status 4, no
# word, and natively no death by SIGPIPE. The pause lets `true` end first.
status=$( { { sleep 1; "$@" "$host" list 2>"$errors"; echo $? >&3; } | true; } 3>&1 )
expect 4 "list to a pipe its reader closed" "$status"
[ ! -s "$errors" ]
expect 0 "list to a pipe its reader closed says nothing ($(head -c 200 "$errors"))" $?
"$@" "$host" list >&- 2>/dev/null
expect 4 "list with standard output closed" $?
"$@" "$host" --help | grep -q "^exit codes: 0 done"
expect 0 "--help names the exit codes" $?
# The window's language takes en or zh; anything else, or nothing, is a usage error.
for lang in "--lang" "--lang fr" "--lang zh-CN"; do
  "$@" "$host" $lang window >/dev/null 2>&1
  expect 2 "$lang" $?
done
"$@" "$host" --lang en list >/dev/null 2>&1
expect 0 "--lang en with a console command" $?
# The notice of a module in development: a box, and nothing started.
"$@" "$host" --auto-ok run '底框-抗震墙结构三维分析|生成VEGA数据' >/dev/null 2>&1
expect 3 "run of an item that showed a box" $?
# Without a registry store "CFGPATH" cannot be found (POSIX only: Wine has its own registry).
if [ $# -eq 0 ]; then
  # The code follows the boxes whatever the message log named is: a file that cannot be
  # written, a pipe nobody reads, a device without end, a file (which gets the record).
  logs=$(mktemp -d)
  mkfifo "$logs/fifo"
  touch "$logs/locked" && chmod 0400 "$logs/locked"
  for log in /nonexistent/box.log "$logs/locked" "$logs/fifo" /dev/zero "$logs/file"; do
    TRUV_MESSAGE_LOG=$log timeout 20 "$host" --auto-ok run '底框-抗震墙结构三维分析|生成VEGA数据' \
      >/dev/null 2>&1
    expect 3 "run of an item that showed a box, with TRUV_MESSAGE_LOG=$log" $?
  done
  TMPDIR=/nonexistent "$host" --auto-ok run '底框-抗震墙结构三维分析|生成VEGA数据' >/dev/null 2>&1
  expect 3 "run of an item that showed a box, with TMPDIR=/nonexistent" $?
  # Under a file-size limit the boxes cannot be counted: a problem, said, never death by SIGXFSZ.
  status=$(sh -c 'ulimit -f 0; "$@" --auto-ok run "底框-抗震墙结构三维分析|生成VEGA数据" >/dev/null 2>&1
                  echo $?' sh "$host" | cat)
  expect 1 "run under ulimit -f 0" "$status"
  # A limit that leaves the log room for an item's boxes (1000 blocks) counts them.
  status=$(sh -c 'ulimit -f 1000; "$@" --auto-ok run "底框-抗震墙结构三维分析|生成VEGA数据" >/dev/null 2>&1
                  echo $?' sh "$host" | cat)
  expect 3 "run under ulimit -f 1000" "$status"
  [ "$(tr -dc '\036' <"$logs/file" | wc -c)" -eq 1 ]
  expect 0 "the named log gets the box's record" $?
  rm -rf "$logs"
  # The first start under a file-size limit: the menu file cannot be written, which is said;
  # the host is not killed by SIGXFSZ and no temporary is left beside it.
  first=$(mktemp -d)
  cp "$host" "$(dirname "$host")/truvApp.so" "$first/"
  status=$(sh -c 'ulimit -f 0; "$@" --auto-ok list >/dev/null 2>&1; echo $?' sh "$first/truvhost" | cat)
  expect 1 "first list under ulimit -f 0" "$status"
  [ -z "$(find "$first" -name 'menu.~*')" ]
  expect 0 "no temporary of the menu file left under ulimit -f 0" $?
  rm -rf "$first"
  # An entry of an out-of-date menu file that the plug-in's menu no longer has: a problem, said,
  # not a run that "finished".
  stale=$(mktemp -d)
  cp "$host" "$(dirname "$host")/truvApp.so" "$stale/"
  "$stale/truvhost" --auto-ok list >/dev/null 2>&1
  LC_ALL=C sed -i '/^module="TRUSS"/{n;s/$/\napp="GONE"\r/}' "$stale/menu.txt"
  "$stale/truvhost" --auto-ok run 'TRUSS|GONE' 2>&1 | grep -q "no item of the plug-in's menu"
  expect 0 "run of a stale entry says the menu file is out of date" $?
  "$stale/truvhost" --auto-ok run 'TRUSS|GONE' >/dev/null 2>&1
  expect 1 "run of a stale entry" $?
  rm -rf "$stale"
  TRUV_REGISTRY=/nonexistent "$host" --auto-ok run 'CORECAD|画结构平面图' >/dev/null 2>&1
  expect 3 "run of an item whose start failed" $?
fi
# The table of commands: each takes the words its usage shows; any other count or form is a
# usage error (2, the usage on standard error), whichever room the command lives in.
runner="$*"
command_case() {  # command_case STATUS WORD...
  expected=$1
  shift
  $runner "$host" "$@" >/dev/null 2>"$errors"
  expect "$expected" "truvhost $*" $?
  if [ "$expected" -eq 2 ] && ! grep -q "^usage: truvhost" "$errors"; then
    echo "FAIL: truvhost $*: no usage on standard error"
    failed=1
  fi
}
command_case 2 nonsense
command_case 2 find
command_case 2 run a b
command_case 2 explain
command_case 2 explain a b
command_case 2 doctor now
command_case 2 menu --bogus
command_case 2 menu --refresh a b
command_case 2 menu --refresh --refresh
command_case 2 trace
command_case 2 trace /nonexistent --bad
command_case 2 trace /nonexistent --key
command_case 2 --version extra
command_case 1 explain "no such key"
command_case 1 explain ""
command_case 1 trace /nonexistent
command_case 0 explain "CORECAD|画结构平面图"
command_case 0 --help
# POSIX has no window host: status 2 and the reason, which no usage text buries.
if [ -z "$runner" ]; then
  "$host" window >"$errors" 2>&1
  expect 2 "truvhost window on POSIX" $?
  if grep -q "^usage:" "$errors" || ! grep -q "window host is a Windows program" "$errors"; then
    echo "FAIL: truvhost window on POSIX: $(head -c 300 "$errors")"
    failed=1
  fi
fi
[ $failed -eq 0 ] && echo "every exit status as documented"
exit $failed
