#!/usr/bin/env bash
# The main job: build the 32-bit Windows plug-in, the reference host and the substitute suite,
# lay out a demonstration installation in a Wine prefix and take the guided tour under Wine,
# without a display. `scripts/tour.sh --native` takes the same tour with the POSIX build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
sh scripts/tour.sh
