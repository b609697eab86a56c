#!/usr/bin/env bash
# The release's date (cmake/Reproducible.cmake) in each tree it may be built from: a clone
# (its commit's time), a `git archive` of it (the same time, from cmake/source-date, unpacked
# alone or inside another repository), SOURCE_DATE_EPOCH over both, and a tree with neither
# (a failure that says what to do); and scripts/check-reproducible.sh in an archive, which
# builds a copy and finds the same bytes.
# usage: source_date_test.sh REPO
set -u
repo=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export GIT_AUTHOR_NAME=t GIT_AUTHOR_EMAIL=t@t.invalid GIT_COMMITTER_NAME=t \
       GIT_COMMITTER_EMAIL=t@t.invalid GIT_COMMITTER_DATE=@1600000000 GIT_AUTHOR_DATE=@1500000000
unset SOURCE_DATE_EPOCH

clone=$work/clone
mkdir -p "$clone/cmake"
cp "$repo/cmake/Reproducible.cmake" "$repo/cmake/source-date" "$clone/cmake/"
cp "$repo/.gitattributes" "$clone/"
printf 'cmake_minimum_required(VERSION 3.25)\nproject(dated NONE)\ninclude(cmake/Reproducible.cmake)\n' \
  >"$clone/CMakeLists.txt"
git -C "$clone" init -q && git -C "$clone" add -A && git -C "$clone" commit -q -m one ||
  fail "scratch repository: no commit"
mkdir -p "$work/archive" "$work/outer/archive" "$work/plain"
git -C "$clone" archive HEAD | tar -x -C "$work/archive"
git -C "$clone" archive HEAD | tar -x -C "$work/outer/archive"
git -C "$work/outer" init -q &&
  GIT_COMMITTER_DATE=@1400000000 git -C "$work/outer" commit -q --allow-empty -m outer
cp -r "$clone/CMakeLists.txt" "$clone/cmake" "$work/plain/"

# tree | SOURCE_DATE_EPOCH | what configuring says
while IFS='|' read -r tree epoch said; do
  env ${epoch:+SOURCE_DATE_EPOCH=$epoch} cmake -S "$work/$tree" -B "$work/build-$tree-$epoch" \
    >"$work/out" 2>&1
  grep -q -- "$said" "$work/out" || fail "$tree ${epoch:+with $epoch}: not '$said': $(cat "$work/out")"
done <<'TABLE'
clone||SOURCE_DATE_EPOCH=1600000000$
archive||SOURCE_DATE_EPOCH=1600000000$
outer/archive||SOURCE_DATE_EPOCH=1600000000$
archive|1234|SOURCE_DATE_EPOCH=1234$
plain||neither a git clone nor a source archive
plain|1234|SOURCE_DATE_EPOCH=1234$
TABLE

# An archive of a project whose release files hold the release's date, built once, then
# checked: the copy dates itself from cmake/source-date too.
project=$work/project
mkdir -p "$project/cmake" "$project/scripts"
cp "$clone/cmake/"* "$project/cmake/" && cp "$clone/.gitattributes" "$project/"
cp "$repo/scripts/check-reproducible.sh" "$project/scripts/"
cat >"$project/CMakeLists.txt" <<'PROJECT'
cmake_minimum_required(VERSION 3.25)
project(truvApp VERSION 1.2.0 LANGUAGES NONE)
include(cmake/Reproducible.cmake)
set(files bin/truvApp.dll bin/truvApp.dll.debug bin/truvhost.exe truvApp-1.2.0-win32.zip)
foreach(file IN LISTS files)
  file(CONFIGURE OUTPUT ${file} CONTENT "${file} of ${TRUV_SOURCE_DATE_EPOCH}")
endforeach()
PROJECT
echo '{"version": 6, "configurePresets": [{"name": "release-win32", "generator": "Ninja",
 "binaryDir": "${sourceDir}/build/${presetName}"}], "buildPresets": [{"name": "release-win32",
 "configurePreset": "release-win32"}]}' >"$project/CMakePresets.json"
git -C "$project" init -q && git -C "$project" add -A && git -C "$project" commit -q -m one
mkdir -p "$work/released"
git -C "$project" archive HEAD | tar -x -C "$work/released"
(cd "$work/released" && cmake --preset release-win32 && cmake --build --preset release-win32) \
  >"$work/out" 2>&1 || fail "archive: the first build failed: $(cat "$work/out")"
bash "$work/released/scripts/check-reproducible.sh" release-win32 >"$work/out" 2>&1 ||
  fail "check-reproducible in an archive: $(cat "$work/out")"
grep -q 'a source archive.*a copy of it is built' "$work/out" ||
  fail "check-reproducible in an archive: not said: $(cat "$work/out")"

[ "$failures" -eq 0 ] && echo "source date: all checks passed"
[ "$failures" -eq 0 ]
