#!/usr/bin/env bash
# The main job: build the 32-bit Windows plug-in, the reference host and the substitute suite,
# lay out a demonstration installation in a Wine prefix and take the guided tour under Wine,
# without a display. `scripts/tour.sh --native` takes the same tour with the POSIX build.
# One short line per step; the package manager's output goes to a log named on screen.
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build
log="$PWD/build/setup.log"
printf '\n\033[1m== Installing what is missing: compilers, Wine, fonts (log: %s)\033[0m\n' "$log"
if ! bash scripts/setup.sh >"$log" 2>&1; then
  tail -n 20 "$log"
  echo "main-job.sh: the set-up failed; the whole log is $log" >&2
  exit 1
fi
tail -n 1 "$log"
sh scripts/tour.sh
