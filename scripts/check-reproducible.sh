#!/usr/bin/env bash
# Builds a release preset a second time, from a clone in another folder, later, in another
# time zone and with another umask, and compares the DLL, its debug file, the host and the
# ZIP byte for byte with those of build/<preset>/ (which must exist: `cmake --workflow
# --preset <preset>` first). On a difference it explains it with diffoscope, installing the
# small diffoscope-minimal when it is missing and we are root. Exit 0 when all are the same.
# usage: scripts/check-reproducible.sh [release-win32|release-win64]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release-win32}
first=build/$preset

zip=$(ls "$first"/truvApp-*.zip 2>/dev/null | head -n 1 || true)
if [ -z "$zip" ]; then
  echo "check-reproducible: no package in $first: run cmake --workflow --preset $preset" >&2
  exit 1
fi
# The first build must be of this tree and commit (nothing to do right after the workflow).
if ! cmake --build --preset "$preset" >/dev/null; then
  echo "check-reproducible: $first does not build" >&2
  exit 1
fi
files=(bin/truvApp.dll bin/truvApp.dll.debug bin/truvhost.exe "${zip#"$first"/}")

elsewhere=$(mktemp -d /tmp/truvApp-second-build.XXXXXX)
trap 'rm -rf "$elsewhere"' EXIT
second=$elsewhere/a/longer/path/to/the/clone
# A clean tree is cloned; a tree with changes is copied (tracked and new files), with the
# commit's time given as git would give it in a clone.
if [ -z "$(git status --porcelain --untracked-files=normal)" ]; then
  git clone --quiet --no-local . "$second"
else
  echo "check-reproducible: the tree has changes: building a copy of it"
  mkdir -p "$second"
  git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$second"
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
