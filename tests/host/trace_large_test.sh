#!/bin/sh
# truvhost trace on a trace of 60 MiB in one line of tabs: read in pieces, with the memory of
# one line whatever the file holds. Natively the address space is limited to 256 MiB; under
# Wine the 32-bit address space is the limit.
# usage: trace_large_test.sh TRUVHOST WORKDIR [RUNNER...]   (RUNNER: the emulator under Wine)
set -u
host=$1
trace=$2/trace_large_test.log
shift 2
head -c 62914560 /dev/zero | tr '\0' '\t' >"$trace"
name=$trace
[ $# -gt 0 ] && name=Z:$trace
if [ $# -eq 0 ]; then
  output=$( (ulimit -v 262144 && exec "$host" trace "$name") 2>&1)
else
  output=$("$@" "$host" trace "$name" 2>&1)
fi
status=$?
rm -f "$trace"
if [ $status -ne 0 ] || [ "${output#(1 line not in}" = "$output" ]; then
  echo "FAIL: exit status $status, output:"
  printf '%s\n' "$output" | head -5
  exit 1
fi
echo "the one line was read in pieces and counted"
