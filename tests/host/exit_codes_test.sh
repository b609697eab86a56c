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
# The notice of a module in development: a box, and nothing started.
"$@" "$host" --auto-ok run '底框-抗震墙结构三维分析|生成VEGA数据' >/dev/null 2>&1
expect 3 "run of an item that showed a box" $?
# Without a registry store "CFGPATH" cannot be found (POSIX only: Wine has its own registry).
if [ $# -eq 0 ]; then
  TRUV_REGISTRY=/nonexistent "$host" --auto-ok run 'CORECAD|画结构平面图' >/dev/null 2>&1
  expect 3 "run of an item whose start failed" $?
fi
[ $failed -eq 0 ] && echo "every exit status as documented"
exit $failed
