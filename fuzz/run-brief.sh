#!/bin/sh
# run-brief.sh FUZZER NEWDIR SECONDS CORPUS [OPTION...]: fuzzes for SECONDS from the seed
# corpus CORPUS; inputs found go to NEWDIR (emptied first), never into the source tree.
set -eu
fuzzer=$1 new=$2 seconds=$3 corpus=$4
shift 4
rm -rf "$new"
mkdir -p "$new"
exec "$fuzzer" "$@" -max_total_time="$seconds" -print_final_stats=1 "$new" "$corpus"
