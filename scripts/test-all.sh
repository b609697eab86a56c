#!/usr/bin/env bash
# Builds everything and runs every test: natively, under the sanitizers, for both Windows
# builds under Wine, the release packages (built and unpacked, their DLLs checked; the 32-bit
# one built a second time elsewhere, for the same bytes), the fuzz targets (seed corpora
# replayed, a few seconds of fuzzing each) and the guided tour. One line per stage, with its
# time and counts, after a progress line while it runs (in place on a terminal, every few
# seconds in a pipe); each stage's whole output goes to its log in build/. Then the tests that
# were skipped, each with its reason, and the tests that passed only on their second try.
# Fails when anything fails; the last line is "N passed, N failed, N skipped".
# Run with sudo, all but the set-up runs as the user who asked (scripts/as-sudo-user.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/as-sudo-user.sh

mkdir -p build
if ! bash scripts/progress.sh build/setup.log set-up bash scripts/setup.sh; then
  tail -n 20 build/setup.log
  echo "test-all.sh: the set-up failed; the whole log is build/setup.log" >&2
  exit 1
fi
truv_as_sudo_user "$PWD" bash scripts/test-all.sh "$@"

presets=(native native-asan native-tsan win32 win64 release-win32 release-win64 fuzz)
passed=0
failed=0
skipped=0
broken=()
skips=()

duration() {
  local seconds=$1
  if [ "$seconds" -ge 60 ]; then
    printf '%d min %d s' $((seconds / 60)) $((seconds % 60))
  else
    printf '%d s' "$seconds"
  fi
}

# report NAME SECONDS PASSED FAILED SKIPPED LOG: the stage's line, and the totals.
report() {
  printf '%-14s %-13s %5d passed, %d failed, %d skipped   %s\n' \
    "$1" "$(duration "$2")" "$3" "$4" "$5" "$6"
  passed=$((passed + $3))
  failed=$((failed + $4))
  skipped=$((skipped + $5))
}

# A preset's workflow: configure, build, test; the counts from CTest's summary.
run_preset() {
  local preset=$1 log=build/test-$1.log start=$SECONDS status counts
  bash scripts/progress.sh "$log" "$preset" cmake --workflow --preset "$preset"
  status=$?
  counts=$(bash scripts/ctest-counts.sh "$log" "build/$preset/Testing/Temporary/LastTest.log")
  if [ -n "$counts" ]; then
    local npassed nfailed nskipped
    read -r npassed nfailed nskipped <<<"$(head -n 1 <<<"$counts")"
    # A workflow that failed with every test passed failed after them: one failure.
    [ "$status" -ne 0 ] && [ "$nfailed" -eq 0 ] && nfailed=1
    report "$preset" $((SECONDS - start)) "$npassed" "$nfailed" "$nskipped" "$log"
    while IFS= read -r line; do
      [ -n "$line" ] && skips+=("$preset: ${line/$'\t'/: }")
    done < <(tail -n +2 <<<"$counts")
  else  # did not get as far as the tests: the preset counts as one failure
    report "$preset" $((SECONDS - start)) 0 $((status != 0)) 0 "$log"
    [ "$status" -eq 0 ] || tail -n 20 "$log" | sed 's/^/  | /'
  fi
  sed -n '/^The following tests FAILED:/,/^$/{/^[[:space:]]*[0-9]/s/^[[:space:]]*/  failed: /p}' \
    "$log"
  [ "$status" -eq 0 ] || broken+=("$preset")
}

# A stage that is one test: NAME LOG COMMAND...
run_check() {
  local name=$1 log=$2 start=$SECONDS
  shift 2
  if bash scripts/progress.sh "$log" "$name" "$@"; then
    report "$name" $((SECONDS - start)) 1 0 0 "$log"
  else
    report "$name" $((SECONDS - start)) 0 1 0 "$log"
    broken+=("$name")
    tail -n 30 "$log" | sed 's/^/  | /'
  fi
}

for preset in "${presets[@]}"; do
  run_preset "$preset"
done

# A test that failed and then passed on its second try (the Windows presets run a failed
# test once more): a "***" result line and a "Passed" line for the same name.
retried=()
for preset in "${presets[@]}"; do
  [ -f "build/test-$preset.log" ] || continue
  while read -r name; do
    [ -n "$name" ] && retried+=("$preset: $name")
  done < <(awk 'match($0, /Test +#[0-9]+: [^ ]+/) {
                  name = substr($0, RSTART, RLENGTH); sub(/Test +#[0-9]+: /, "", name)
                  if ($0 ~ /\*\*\*/ && $0 !~ /\*\*\*Skipped/) failed[name] = 1
                  else if ($0 ~ / Passed /) passed[name] = 1
                }
                END { for (name in failed) if (name in passed) print name }' \
               "build/test-$preset.log" | sort)
done

# The 32-bit release built a second time, from a clone elsewhere, gives the same bytes (a
# working tree with changes is compared as a copy, and its log says it is no release).
run_check reproducible build/reproducible.log \
  bash scripts/check-reproducible.sh --with-changes release-win32

# The guided tour as a smoke test, natively and under Wine; the tours go into a folder of
# this run, removed at the end.
tours=$(mktemp -d "$PWD/build/tours.XXXXXX")
TMPDIR=$tours run_check tour-native build/tour--native.log sh scripts/tour.sh --native
TMPDIR=$tours run_check tour-wine build/tour--wine.log sh scripts/tour.sh
rm -rf "$tours"

# The lingering Wine servers of the test prefixes are of no use once the run is over.
for tree in build/win32 build/win64 build/release-win32 build/release-win64; do
  [ -x "$tree/wine-run.sh" ] && "$tree/wine-run.sh" --stop >/dev/null 2>&1
done
if [ -d build/win32/tour-prefix ]; then
  TRUV_WINEPREFIX="$PWD/build/win32/tour-prefix" build/win32/wine-run.sh --stop >/dev/null 2>&1
fi

for test in "${skips[@]}"; do
  echo "skipped: $test"
done
for test in "${retried[@]}"; do
  echo "passed only on its second try: $test"
done
if [ ${#broken[@]} -gt 0 ]; then
  echo "failing stages: ${broken[*]} (their logs: build/test-<preset>.log, build/<stage>.log)"
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ ${#broken[@]} -eq 0 ] && [ "$failed" -eq 0 ]
