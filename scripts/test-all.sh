#!/usr/bin/env bash
# Builds everything and runs every test: natively, under the sanitizers and, for both Windows
# builds, under Wine; then builds the release packages and runs their test (the release
# presets build only the DLL and the host). Fails when anything fails; ends with
# "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1

presets=(native native-asan win32 win64 release-win32 release-win64)
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

# The guided tour as a smoke test, natively and under Wine.
for mode in --native ""; do
  echo "===== tour $mode ====="
  if sh scripts/tour.sh $mode >"build/tour${mode:---wine}.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    broken+=("tour${mode:- (Wine)}")
    tail -n 30 "build/tour${mode:---wine}.log"
  fi
done

# The lingering Wine servers of the test prefixes are of no use once the run is over.
for preset in win32 win64 release-win32 release-win64; do
  if [ -d "build/$preset/wineprefix" ]; then
    WINEPREFIX="$PWD/build/$preset/wineprefix" wineserver -k 2>/dev/null || true
  fi
done

if [ ${#broken[@]} -gt 0 ]; then
  echo "failing presets: ${broken[*]}"
fi
echo "$passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ] && [ "$failed" -eq 0 ]
