#!/bin/sh
# truvhost's path arguments are path names of the system, passed as they are (only keys and
# titles are converted to GBK); without /proc the host's folder cannot be told, and the host,
# as the plug-in, then reads and writes nothing in the current folder in its place.
# usage: path_arguments_test.sh TRUVHOST   (POSIX)
set -u
host=$1
failed=0
expect() {  # expect CODE DESCRIPTION STATUS
  if [ "$3" -ne "$1" ]; then
    echo "FAIL: $2: exit status $3, expected $1"
    failed=1
  fi
}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
folder="$dir/运行菜单"
mkdir "$folder"
"$host" menu --refresh "$folder" >"$dir/out" 2>&1
expect 0 "menu --refresh of a Chinese folder" $?
[ -f "$folder/menu.txt" ] && grep -qF "$folder/menu.txt holds" "$dir/out"
expect 0 "menu.txt written in the folder named, and named so ($(cat "$dir/out"))" $?
"$host" menu "$folder" >"$dir/out" 2>&1
expect 0 "menu of a Chinese folder ($(cat "$dir/out"))" $?
: >"$folder/跟踪.txt"
"$host" trace "$folder/跟踪.txt" >"$dir/out" 2>&1
expect 0 "trace of a Chinese file name ($(cat "$dir/out"))" $?

if unshare -m true 2>/dev/null; then
  mkdir "$dir/project"
  for command in "menu --refresh" "menu" "list" "doctor"; do
    (cd "$dir/project" && unshare -m sh -c 'mount -t tmpfs none /proc && exec "$@"' sh \
      "$host" $command >"$dir/out" 2>&1)
    expect 1 "$command without /proc" $?
    grep -q "cannot be told" "$dir/out"
    expect 0 "$command without /proc says why ($(head -c 300 "$dir/out"))" $?
  done
  [ -z "$(ls -A "$dir/project")" ]
  expect 0 "nothing written in the project folder without /proc" $?
else
  echo "no mount namespaces here: the case without /proc is not tried"
fi
[ $failed -eq 0 ] && echo "path arguments as given; no host folder, no menu file"
exit $failed
