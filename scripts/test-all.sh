#!/usr/bin/env bash
# Builds everything and runs every test: natively, under the sanitizers, for both Windows
# builds under Wine, the release packages (built and unpacked, their DLLs checked; the 32-bit
# one built a second time elsewhere, for the same bytes), and the fuzz targets (seed corpora
# replayed, a few seconds of fuzzing each). Fails when anything fails; ends with
# "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1

presets=(native native-asan native-tsan win32 win64 release-win32 release-win64 fuzz)
passed=0
failed=0
broken=()
mkdir -p build
for preset in "${presets[@]}"; do
  echo "===== $preset: configure, build, test ====="
  log="build/test-$preset.log"
  start=$SECONDS
  cmake --workflow --preset "$preset" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  summary=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -n "$summary" ]; then
    read -r nfailed _ _ _ _ total <<<"$summary"
    passed=$((passed + total - nfailed))
    failed=$((failed + nfailed))
  elif [ "$status" -ne 0 ]; then
    failed=$((failed + 1))  # did not get as far as the tests: count the preset as one failure
  fi
  [ "$status" -eq 0 ] || broken+=("$preset")
  echo "===== $preset: exit $status after $((SECONDS - start)) s ====="
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
                  if ($0 ~ /\*\*\*/) failed[name] = 1; else if ($0 ~ / Passed /) passed[name] = 1
                }
                END { for (name in failed) if (name in passed) print name }' \
               "build/test-$preset.log" | sort)
done

# The 32-bit release built a second time, from a clone elsewhere, gives the same bytes.
echo "===== reproducible release-win32 ====="
start=$SECONDS
if bash scripts/check-reproducible.sh release-win32 >build/reproducible.log 2>&1; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  broken+=("reproducible")
  tail -n 60 build/reproducible.log
fi
echo "===== reproducible: $((SECONDS - start)) s ====="

# The guided tour as a smoke test, natively and under Wine; the tours go into a folder of
# this run, removed at the end.
tours=$(mktemp -d "$PWD/build/tours.XXXXXX")
for mode in --native ""; do
  echo "===== tour $mode ====="
  if TMPDIR="$tours" sh scripts/tour.sh $mode >"build/tour${mode:---wine}.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    broken+=("tour${mode:- (Wine)}")
    tail -n 30 "build/tour${mode:---wine}.log"
  fi
done

rm -rf "$tours"

# The lingering Wine servers of the test prefixes are of no use once the run is over.
for tree in build/win32 build/win64 build/release-win32 build/release-win64; do
  [ -x "$tree/wine-run.sh" ] && "$tree/wine-run.sh" --stop
done
if [ -d build/win32/tour-prefix ]; then
  TRUV_WINEPREFIX="$PWD/build/win32/tour-prefix" build/win32/wine-run.sh --stop
fi

if [ ${#broken[@]} -gt 0 ]; then
  echo "failing presets: ${broken[*]}"
fi
for test in "${retried[@]}"; do
  echo "passed only on its second try: $test"
done
echo "$passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ] && [ "$failed" -eq 0 ]
