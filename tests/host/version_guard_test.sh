#!/bin/sh
# truvhost judges with the catalogue compiled into it: beside a plug-in library of another
# version, explain, doctor and menu say so on their first line and exit with 1; beside its own
# library they judge as before. A pipe under the library's name is never waited on.
# usage: version_guard_test.sh TRUVHOST LIBRARY OTHER_LIBRARY [EMULATOR...]
set -u
host=$1
library=$2
other=$3
shift 3
failed=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$host" "$dir/"
copy="$dir/$(basename "$host")"
installed="$dir/$(basename "$library")"

for command in "explain DMGT|DMGT" "doctor" "menu"; do
  cp "$other" "$installed"
  (cd "$dir" && "$@" "$copy" $command >"$dir/out" 2>&1)
  status=$?
  first=$(head -n 1 "$dir/out")
  if [ "$status" -ne 1 ] || ! printf '%s' "$first" | grep -q 'is version 0\.0\.1; .*nothing is judged'; then
    echo "FAIL: $command beside version 0.0.1: exit $status, first line: $first"
    failed=1
  fi
done

# A pipe under the library's name is no library of this version, and is never waited on.
if [ $# -eq 0 ]; then
  rm -f "$installed" && mkfifo "$installed"
  (cd "$dir" && timeout 20 "$copy" doctor >"$dir/out" 2>&1)
  status=$?
  if [ "$status" -ne 1 ] || ! grep -q 'of no stated version; .*nothing is judged' "$dir/out"; then
    echo "FAIL: doctor beside a pipe named $(basename "$installed"): exit $status: $(head -n 1 "$dir/out")"
    failed=1
  fi
  (cd "$dir" && timeout 20 "$copy" list >"$dir/out" 2>&1)
  status=$?
  if [ "$status" -ne 1 ] || ! grep -q 'not a regular file' "$dir/out"; then
    echo "FAIL: list beside a pipe named $(basename "$installed"): exit $status: $(head -n 1 "$dir/out")"
    failed=1
  fi
  rm -f "$installed"
fi

# A library cut short is refused before it is mapped, by every command that reads it.
size=$(wc -c <"$library")
for length in $((size - 1)) $((size / 2)) 4096; do
  for command in list "run DMGT|DMGT" "find 平面" --version doctor; do
    head -c "$length" "$library" >"$installed"
    (cd "$dir" && timeout 60 "$@" "$copy" $command >"$dir/out" 2>&1)
    status=$?
    if [ "$status" -ne 1 ] || ! grep -q "cannot load .*: damaged (its headers describe [0-9]* bytes, the file holds $length)" "$dir/out"; then
      echo "FAIL: $command beside a library cut to $length bytes: exit $status: $(tail -n 1 "$dir/out")"
      failed=1
    fi
  done
done

cp "$library" "$installed"
(cd "$dir" && "$@" "$copy" explain 'DMGT|DMGT' >"$dir/out" 2>&1)
status=$?
if [ "$status" -ne 0 ] || grep -q 'nothing is judged' "$dir/out"; then
  echo "FAIL: explain beside its own library: exit $status: $(head -n 3 "$dir/out")"
  failed=1
fi
exit $failed
