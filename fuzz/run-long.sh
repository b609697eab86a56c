#!/bin/sh
# run-long.sh TARGET [SECONDS [JOBS [OPTION...]]]: fuzzes TARGET of the fuzz preset for SECONDS
# (default 3600) in JOBS processes (default 1), crashes recorded and fuzzing going on after
# them; OPTIONs go to libFuzzer.
# Inputs found go to build/fuzz/long/TARGET, crash inputs to build/fuzz/long/TARGET-crash-*;
# the seed corpus in fuzz/corpus is only read. The log is build/fuzz/long/TARGET.log; its
# last "#N" line gives the number of executions.
set -eu
target=$1 seconds=${2:-3600} jobs=${3:-1}
shift $(($# < 3 ? $# : 3))
here=$(cd "$(dirname "$0")" && pwd)
long=$here/../build/fuzz/long
fuzzer=$here/../build/fuzz/bin/$target
[ -x "$fuzzer" ] || { echo "run-long.sh: build $target first (cmake --build --preset fuzz)" >&2; exit 1; }
mkdir -p "$long/$target"
cd "$long"
exec "$fuzzer" -fork="$jobs" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
  -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$long/$target-" "$@" \
  "$long/$target" "$here/corpus/$target" >"$long/$target.log" 2>&1
