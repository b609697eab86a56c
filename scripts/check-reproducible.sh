#!/usr/bin/env bash
# Builds a release preset a second time, from a clone in another folder, later, in another
# time zone and with another umask, and compares the DLL, its debug file, the host and the
# ZIP byte for byte with those of build/<preset>/ (which must exist: `cmake --workflow
# --preset <preset>` first). On a difference it explains it with diffoscope, installing the
# small diffoscope-minimal when it is missing and we are root. Exit 0 when all are the same.
# A release is made from a clean commit: a tree that differs from its commit (a changed,
# deleted or new file) is refused, unless --with-changes is given; then a copy of the tree is
# built and the result says loudly that it is no release. A source archive (a tree without
# its own .git) is copied whole but for build/.
# usage: scripts/check-reproducible.sh [--with-changes] [release-win32|release-win64]
set -euo pipefail
cd "$(dirname "$0")/.."
with_changes=no
if [ "${1:-}" = --with-changes ]; then
  with_changes=yes
  shift
fi
preset=${1:-release-win32}
first=build/$preset

# A source archive (no clone of its own: `git archive`, a download) is copied, and both builds
# take its date from cmake/source-date.
archive=yes
if top=$(git rev-parse --show-toplevel 2>/dev/null) && [ "$(realpath "$top")" = "$(pwd -P)" ]; then
  archive=no
fi
# The tree against its commit: what a clone would not have.
changes=""
[ "$archive" = yes ] || changes=$(git status --porcelain --untracked-files=normal)
if [ -n "$changes" ]; then
  deleted=$(git ls-files --deleted)
  if [ "$with_changes" = no ]; then
    echo "check-reproducible: the tree differs from its commit $(git rev-parse --short HEAD)," \
         "so its package would hold what is in no commit; commit or stash these first" \
         "(or give --with-changes to compare a copy of the tree, which is no release):" >&2
    printf '%s\n' "$changes" | sed 's/^/  /' >&2
    exit 1
  fi
  echo "check-reproducible: NOT A RELEASE: the tree differs from its commit" \
       "$(git rev-parse --short HEAD); a copy of it is built:"
  printf '%s\n' "$changes" | sed 's/^/  /'
  if [ -n "$deleted" ]; then
    echo "check-reproducible: deleted in the tree, so left out of the copy too:" $deleted
  fi
fi

# This build's package: the version of the top CMakeLists.txt, not the first ZIP by name.
version=$(sed -n 's/^project(truvApp VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=$first/truvApp-$version-${preset#release-}.zip
if [ -z "$version" ] || [ ! -f "$zip" ]; then
  echo "check-reproducible: no package truvApp-${version:-?}-${preset#release-}.zip in" \
       "$first: run cmake --workflow --preset $preset" >&2
  exit 1
fi
echo "check-reproducible: comparing ${zip#"$first"/} and the files in it"
# The first build must be of this tree and commit (nothing to do right after the workflow).
if ! cmake --build --preset "$preset" >/dev/null; then
  echo "check-reproducible: $first does not build" >&2
  exit 1
fi
files=(bin/truvApp.dll bin/truvApp.dll.debug bin/truvhost.exe "${zip#"$first"/}")

elsewhere=$(mktemp -d /tmp/truvApp-second-build.XXXXXX)
trap 'rm -rf "$elsewhere"' EXIT
second=$elsewhere/a/longer/path/to/the/clone
# A clean tree is cloned; a tree with changes is copied (tracked files still present and new
# files), with the commit's time given as git would give it in a clone.
if [ "$archive" = yes ]; then
  echo "check-reproducible: a source archive, no git clone: a copy of it is built"
  mkdir -p "$second"
  tar -c --exclude=./build . | tar -x -C "$second"
elif [ -z "$changes" ]; then
  git clone --quiet --no-local . "$second"
else
  mkdir -p "$second"
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do
      if [ -e "$file" ] || [ -L "$file" ]; then printf '%s\0' "$file"; fi
    done | xargs -0 cp --parents -t "$second"
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
fi

echo "check-reproducible: building $preset again in $second"
(
  cd "$second"
  umask 077
  export TZ=Asia/Shanghai
  cmake --preset "$preset" >"$elsewhere/build.log" 2>&1 &&
    cmake --build --preset "$preset" >>"$elsewhere/build.log" 2>&1
) || { tail -n 40 "$elsewhere/build.log"; exit 1; }

differ=()
for file in "${files[@]}"; do
  if cmp -s "$first/$file" "$second/build/$preset/$file"; then
    echo "same bytes: $file"
  else
    differ+=("$file")
  fi
done
if [ ${#differ[@]} -eq 0 ]; then
  echo "check-reproducible: $preset: ${#files[@]} files, the same bytes from both builds"
  [ -z "$changes" ] ||
    echo "check-reproducible: NOT A RELEASE: built from a tree that differs from its commit"
  exit 0
fi

echo "check-reproducible: $preset: these differ: ${differ[*]}"
if ! command -v diffoscope >/dev/null && [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    diffoscope-minimal >/dev/null || true
fi
for file in "${differ[@]}"; do
  if command -v diffoscope >/dev/null; then
    diffoscope --max-report-size 200000 "$first/$file" "$second/build/$preset/$file" || true
  else
    cmp -l "$first/$file" "$second/build/$preset/$file" | head -n 20 || true
  fi
done
exit 1
