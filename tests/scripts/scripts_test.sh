#!/usr/bin/env bash
# The scripts a newcomer runs first, on small stand-ins for their long steps:
#  - progress.sh: a line every interval in a pipe while a step lasts, the whole output in the
#    log, the step's exit status; apt's packages counted against all it unpacks, afresh on a
#    second attempt;
#  - ctest-counts.sh on a real CTest run with a passing, a failing, a skipped and a disabled
#    test: the skipped one counted apart, named, with the reason its output gives; the
#    disabled one (a death test's helper child) neither passed nor skipped; an earlier run
#    in the same log (a nested one) not counted;
#  - check-reproducible.sh in a scratch repository: a tree that differs from its commit is
#    refused, a deleted file is named in a sentence, and the ZIP of the version of the top
#    CMakeLists.txt is the one compared, not the first by name;
#  - screenshot-window.sh: an unknown option, a DPI it cannot use and a missing folder refused.
# usage: scripts_test.sh REPO
set -u
repo=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# progress.sh in a pipe: a line at least every second while the step prints and sleeps.
cat >"$work/step.sh" <<'STEP'
echo "-- Configuring done"
for i in 1 2 3; do echo "[$i/3] Building CXX object a$i.o"; sleep 1; done
sleep 2
exit 7
STEP
TRUV_PROGRESS_SECONDS=1 bash "$repo/scripts/progress.sh" "$work/step.log" native \
  bash "$work/step.sh" >"$work/progress.out" </dev/null
status=$?
[ "$status" -eq 7 ] || fail "progress.sh: exit status $status, not the step's 7"
grep -q '^native: building \[3/3\], [0-9]* s$' "$work/progress.out" ||
  fail "progress.sh: no line with [3/3] in the pipe: $(cat "$work/progress.out")"
[ "$(wc -l <"$work/progress.out")" -ge 4 ] ||
  fail "progress.sh: fewer than 4 lines in 5 s: $(cat "$work/progress.out")"
grep -q $'\r' "$work/progress.out" && fail "progress.sh: carriage returns in a pipe"
[ "$(wc -l <"$work/step.log")" -eq 4 ] || fail "progress.sh: the log lacks lines of the step"

# progress.sh on apt's output, on a terminal (a line per line read): the total counts the
# upgraded and downgraded packages too, and the second attempt of the set-up counts afresh.
cat >"$work/apt.sh" <<'STEP'
echo "setup.sh: installing 2 packages"
for plan in "2 upgraded, 1 newly installed," "1 upgraded, 1 newly installed, 1 downgraded,"; do
  echo "$plan 0 to remove and 9 not upgraded."
  for package in a b c; do echo "Unpacking $package (2) over (1) ..."; done
  [[ $plan == *downgraded* ]] || { echo "E: failed to fetch"; continue; }
  for package in a b c; do echo "Setting up $package (2) ..."; done
done
STEP
script -qec "bash '$repo/scripts/progress.sh' '$work/apt.log' set-up bash '$work/apt.sh'" \
  /dev/null </dev/null | tr '\r' '\n' | grep -o '[a-z][a-z ]* [0-9]*/[0-9]*' | uniq >"$work/apt.out"
[ "$(tr '\n' ',' <"$work/apt.out")" = "$(printf '%s,' "unpacking "{1,2,3}/3 "unpacking "{1,2,3}/3 \
                                        "setting up "{1,2,3}/3)" ] ||
  fail "progress.sh: apt's counts: $(tr '\n' ',' <"$work/apt.out")"

# ctest-counts.sh on CTest's own output.
mkdir -p "$work/ctest"
cat >"$work/ctest/CMakeLists.txt" <<'PROJECT'
cmake_minimum_required(VERSION 3.25)
project(counts NONE)
enable_testing()
add_test(NAME Suite.Passes COMMAND true)
add_test(NAME Suite.Fails COMMAND false)
add_test(NAME EntryChild.DISABLED_Helper COMMAND true)
set_tests_properties(EntryChild.DISABLED_Helper PROPERTIES DISABLED TRUE)
add_test(NAME Suite.Skips COMMAND sh -c "echo 'x_test.cpp:12: Skipped'; echo 'no mount namespaces here'; echo '[  SKIPPED ] Suite.Skips (0 ms)'")
set_tests_properties(Suite.Skips PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
PROJECT
cmake -S "$work/ctest" -B "$work/ctest/build" >/dev/null 2>&1 || fail "ctest project: no configure"
(cd "$work/ctest/build" && ctest >"$work/ctest.log" 2>&1)
# A log holding an earlier run (as a failing test's nested run prints it) counts only its last.
details=$work/ctest/build/Testing/Temporary/LastTest.log
cp "$details" "$work/details.log"
(cd "$work/ctest/build" && ctest -R Suite.Passes >"$work/last.log" 2>&1)
cp "$work/details.log" "$details"
cat "$work/ctest.log" "$work/last.log" >"$work/nested.log"
while read -r log expected; do
  counts=$(bash "$repo/scripts/ctest-counts.sh" "$work/$log" "$details")
  [ "$counts" = "$(printf '%b' "$expected")" ] ||
    fail "ctest-counts.sh on $log: got '$counts', want '$expected'"
done <<'ROWS'
ctest.log   1 1 1\nSuite.Skips\tno mount namespaces here
nested.log  1 0 0
ROWS

# check-fresh-debian.sh refuses a command list with no command before anything else (the
# release named is none, so that a script that went on would stop there).
for commands in '' ' ; '; do
  bash "$repo/scripts/check-fresh-debian.sh" --commands "$commands" sid >"$work/fresh.out" 2>&1
  status=$?
  [ "$status" -eq 2 ] && grep -q 'gives no command to run' "$work/fresh.out" ||
    fail "check-fresh-debian --commands '$commands': exit $status: $(cat "$work/fresh.out")"
done

# test-all.sh with its stages stood in for: the workflows by a cmake that runs the small
# CTest project for "native" and passes one test elsewhere, the set-up, the second release
# build and the tour by scripts that pass. One line per stage, the skipped test named with
# its reason, the closing line CI reads, and failure.
all=$work/all
mkdir -p "$all/scripts" "$all/bin" "$all/build/native/Testing/Temporary"
cp "$repo/scripts/test-all.sh" "$repo/scripts/progress.sh" "$repo/scripts/ctest-counts.sh" \
   "$repo/scripts/as-sudo-user.sh" "$all/scripts/"
for stub in setup.sh check-reproducible.sh tour.sh; do echo 'echo fine' >"$all/scripts/$stub"; done
cp "$work/ctest/build/Testing/Temporary/LastTest.log" "$all/build/native/Testing/Temporary/"
cat >"$all/bin/cmake" <<STUB
#!/bin/sh
echo "[1/1] Linking CXX executable bin/tests"
if [ "\$3" = native ]; then cat "$work/ctest.log"; exit 8; fi
echo "100% tests passed, 0 tests failed out of 1"
STUB
chmod +x "$all/bin/cmake"
PATH=$all/bin:$PATH TRUV_PROGRESS_SECONDS=60 bash "$all/scripts/test-all.sh" >"$work/all.out" 2>&1 \
  </dev/null
status=$?
[ "$status" -ne 0 ] || fail "test-all.sh: exit 0 with a failed test"
# Every preset and the three checks pass one test each; native also fails and skips one.
presets=$(sed -n 's/^presets=(\(.*\))$/\1/p' "$repo/scripts/test-all.sh" | wc -w)
stages=$((presets + 3))
[ "$(tail -n 1 "$work/all.out")" = "$stages passed, 1 failed, 1 skipped" ] ||
  fail "test-all.sh: closing line: $(tail -n 1 "$work/all.out")"
grep -q '^skipped: native: Suite.Skips: no mount namespaces here$' "$work/all.out" ||
  fail "test-all.sh: the skipped test not named with its reason"
grep -q '^native  .* 1 passed, 1 failed, 1 skipped   build/test-native.log$' "$work/all.out" ||
  fail "test-all.sh: no stage line for native"
[ "$(grep -c ' passed, .* failed, .* skipped   build/' "$work/all.out")" -eq "$stages" ] ||
  fail "test-all.sh: not one line per stage: $(cat "$work/all.out")"

# check-reproducible.sh in a scratch repository with two packages in its release tree.
clone=$work/clone
mkdir -p "$clone/scripts" "$clone/build/release-win32"
cp "$repo/scripts/check-reproducible.sh" "$clone/scripts/"
printf 'project(truvApp VERSION 1.2.0 LANGUAGES CXX)\n' >"$clone/CMakeLists.txt"
echo "shipped" >"$clone/shipped.txt"
echo "build/" >"$clone/.gitignore"
touch "$clone/build/release-win32/truvApp-1.10.0-win32.zip" \
      "$clone/build/release-win32/truvApp-1.2.0-win32.zip"
git -C "$clone" init -q && git -C "$clone" add -A &&
  git -C "$clone" -c user.name=t -c user.email=t@t.invalid commit -q -m one ||
  fail "scratch repository: no commit"
check() { bash "$clone/scripts/check-reproducible.sh" "$@" >"$work/check.out" 2>&1; }

check
grep -q 'comparing truvApp-1.2.0-win32.zip' "$work/check.out" ||
  fail "check-reproducible: not this version's ZIP: $(cat "$work/check.out")"
echo "changed" >>"$clone/shipped.txt"
check && fail "check-reproducible: a changed tree passed"
grep -q 'differs from its commit' "$work/check.out" ||
  fail "check-reproducible: a changed tree not refused: $(cat "$work/check.out")"
git -C "$clone" checkout -q shipped.txt && rm "$clone/shipped.txt"
check --with-changes
grep -q 'NOT A RELEASE' "$work/check.out" && grep -q 'deleted in the tree.*shipped.txt' \
  "$work/check.out" || fail "check-reproducible: a deleted file: $(cat "$work/check.out")"
grep -q 'cannot stat' "$work/check.out" && fail "check-reproducible: cp's error shown"

# screenshot-window.sh refuses what it cannot picture before it touches the tours' prefix.
while IFS='|' read -r arguments said; do
  # shellcheck disable=SC2086
  out=$(TRUV_SHOT_BUILD=$work/no-build sh "$repo/docs/images/screenshot-window.sh" $arguments 2>&1)
  status=$?
  [ "$status" -eq 2 ] && [ "${out#*"$said"}" != "$out" ] ||
    fail "screenshot-window.sh $arguments: exit $status, said: $out"
done <<'REFUSED'
--bogus               |--bogus: no such option
--dpi                 |not a whole number
--dpi -96 x.png       |not a whole number
--dpi 100000 x.png    |outside 48 to 480
/no/such/folder/x.png |no folder for
REFUSED

[ "$failures" -eq 0 ] && echo "scripts: all checks passed"
[ "$failures" -eq 0 ]
