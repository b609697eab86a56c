#!/usr/bin/env bash
# The main job: build the 32-bit Windows plug-in, the reference host and the substitute suite,
# lay out a demonstration installation in a Wine prefix and take the guided tour under Wine,
# without a display. `scripts/tour.sh --native` takes the same tour with the POSIX build.
# For each step a heading and what the step shows; the package manager's output and the
# build's go to logs named on screen, with a progress line while they run (in place on a
# terminal, every few seconds in a pipe). Run with sudo, all but the set-up runs as the user
# who asked (scripts/as-sudo-user.sh). Everything on screen also goes to build/main-job.log:
# through the pipe, Wine's programs write plain text, never the cursor and line-wrapping
# sequences of its terminal console.
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build
setup_log="$PWD/build/setup.log"
# Under sudo the logs belong to the user who asked, as the tour does (tour.sh runs as them).
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  touch build/main-job.log "$setup_log"
  chown "$SUDO_USER:" build build/main-job.log "$setup_log"
fi
# The progress lines of the long steps go to the terminal in place, not into the log.
[ -t 1 ] && export TRUV_PROGRESS_TTY=1
main_job() {
  printf '\n== Installing what is missing: compilers, Wine, fonts (about 7 minutes when all is\n'
  printf '   missing, a moment when nothing is; log: %s)\n' "$setup_log"
  if ! bash scripts/progress.sh "$setup_log" set-up bash scripts/setup.sh; then
    tail -n 20 "$setup_log"
    echo "main-job.sh: the set-up failed; the whole log is $setup_log" >&2
    exit 1
  fi
  grep '^setup.sh: installing' "$setup_log" || true
  tail -n 1 "$setup_log"
  sh scripts/tour.sh
}
main_job 2>&1 | tee build/main-job.log
