#!/usr/bin/env bash
# ctest-counts.sh LOG [DETAILS]: the counts of the last CTest run in LOG (CTest's own output,
# as `cmake --workflow` prints it): a first line "PASSED FAILED SKIPPED", then one line per
# skipped test, "NAME<tab>REASON", the reason read from DETAILS (CTest's
# Testing/Temporary/LastTest.log, each test's whole output): the lines GoogleTest prints
# after "Skipped". Prints nothing when LOG holds no CTest summary (the run stopped earlier).
set -euo pipefail
log=$1
details=${2:-}

# The last run's block: from its summary on (an earlier run in the same log, such as a nested
# one that a failing test printed, is not counted).
at=$(grep -En '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 | cut -d: -f1 || true)
[ -n "$at" ] || exit 0
summary=$(sed -n "${at}p" "$log" | grep -Eo '[0-9]+ tests? failed out of [0-9]+')
read -r failed _ _ _ _ total <<<"$summary"
# CTest counts a skipped test among the passed ones; it lists it after the summary under "The
# following tests did not run:". A disabled test is listed there too but left out of the total:
# such as the death tests' helper children, which run only inside their parent test, it is no
# test of its own, neither passed nor skipped.
skipped=$(awk '/^The following tests did not run:/ { list = ""; listing = 1; next }
               listing && /^[ \t]+[0-9]+ - / {
                 name = $0; sub(/^[ \t]+[0-9]+ - /, "", name)
                 kind = name; sub(/.* \(/, "", kind); sub(/\)$/, "", kind)
                 sub(/ \([A-Za-z]+\)$/, "", name)
                 if (kind != "Disabled") list = list name "\t" tolower(kind) "\n"
                 next }
               { listing = 0 }
               END { printf "%s", list }' <(tail -n +"$at" "$log"))
count=0
[ -n "$skipped" ] && count=$(printf '%s\n' "$skipped" | wc -l)
passed=$((total - failed - count))
echo "$((passed < 0 ? 0 : passed)) $failed $count"
[ -n "$skipped" ] || exit 0

reasons=""
if [ -n "$details" ] && [ -f "$details" ]; then
  reasons=$(awk '/^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name) }
                 /: Skipped$/ { grab = 1; reason = ""; next }
                 grab && /^\[  SKIPPED \]/ { grab = 0; why[name] = reason; next }
                 grab { reason = reason (reason == "" ? "" : " ") $0 }
                 END { for (name in why) print name "\t" why[name] }' "$details")
fi
while IFS=$'\t' read -r name kind; do
  reason=$(printf '%s\n' "$reasons" | awk -F'\t' -v name="$name" '$1 == name { print $2; exit }')
  printf '%s\t%s\n' "$name" "${reason:-$kind, no reason in its output}"
done <<<"$skipped"
