#!/usr/bin/env bash
# The main job: build the 32-bit Windows plug-in, the reference host and the substitute suite,
# lay out a demonstration installation in a Wine prefix and take the guided tour under Wine,
# without a display. `scripts/tour.sh --native` takes the same tour with the POSIX build.
# For each step a heading and what the step shows; the package manager's output and the
# build's go to logs named on screen. Everything on screen also goes to build/main-job.log:
# through the pipe, Wine's programs write plain text, never the cursor and line-wrapping
# sequences of its terminal console.
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build
setup_log="$PWD/build/setup.log"
main_job() {
  printf '\n== Installing what is missing: compilers, Wine, fonts (log: %s)\n' "$setup_log"
  if ! bash scripts/setup.sh >"$setup_log" 2>&1; then
    tail -n 20 "$setup_log"
    echo "main-job.sh: the set-up failed; the whole log is $setup_log" >&2
    exit 1
  fi
  tail -n 1 "$setup_log"
  sh scripts/tour.sh
}
main_job 2>&1 | tee build/main-job.log
