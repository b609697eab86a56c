#!/usr/bin/env bash
# What the scripts and the build call, against what scripts/setup.sh installs: every word of
# their code (comments left out; options, variables and paths are no calls) that names a
# program on this machine must come from a package of a minimal Debian (priority required,
# and apt) or from one that the set-up installs, itself or as one of its direct dependencies.
# The same comparison without git and zip in the set-up's list must name both: the scan sees
# the build's calls.
# usage: setup_tools_test.sh REPO
set -u
repo=$1
cd "$repo" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
command -v dpkg-query >/dev/null || { echo "no dpkg here: nothing to compare"; exit 77; }

# The set-up's packages: the words of its packages=( ... ) list, comments and :arch left out.
setup_packages=$(sed -n '/^packages=(/,/^)/p' scripts/setup.sh | sed 's/#.*//; s/packages=(//; s/)//' |
                   tr -s ' \t' '\n\n' | sed 's/:.*//' | grep . | sort -u)
[ -n "$setup_packages" ] || fail "no package list in scripts/setup.sh"

# The files the README's two commands run (the maintainers' fresh-machine check is not one).
sources=$(ls scripts/*.sh cmake/* CMakeLists.txt */CMakeLists.txt tests/*/CMakeLists.txt \
             tests/*/*.sh tests/*/*/*.sh 2>/dev/null | grep -v '^scripts/check-fresh-debian.sh$')
# Lines that only say something (messages, echo, the tests' verdicts and expected output) call
# nothing, nor do CMake's quoted strings (its calls stand unquoted after COMMAND); "init" is
# git's subcommand, never the system's first process.
code_lines() {
  local file
  for file in $sources; do
    case $file in
      *.cmake | *CMakeLists.txt) sed 's/"[^"]*"//g; s/^[^"]*"$//; s/^[^"]*")//' "$file" ;;
      *) cat "$file" ;;
    esac
  done | grep -v '^[[:space:]]*#' | grep -v 'message(\|echo \|fail \|printf \|_EXPRESSION'
}
called_words() {
  code_lines | sed 's/[[:space:]]#.*//' |
    grep -oE '(^|[^-A-Za-z0-9_./${@%])[a-z][A-Za-z0-9_.+-]*' | sed 's/^[^a-z]//' | grep -vx 'init'
  # shellcheck disable=SC2086
  grep -ho 'find_package([A-Za-z]*' $sources | sed 's/find_package(//' | tr 'A-Z' 'a-z'
  sed -n 's/.*"CMAKE_C[X]*_COMPILER": *"\([^"]*\)".*/\1/p' CMakePresets.json
}

# Each called program on the system's PATH with the packages that installed it (through /usr
# or not, as the link or as its target): "WORD PACKAGE...".
paths=$(for word in $(called_words | sort -u); do
          path=$(PATH=/usr/local/bin:/usr/bin:/usr/sbin:/bin:/sbin type -P "$word") || continue
          target=$(realpath "$path")
          printf '%s %s\n' "$word" "$path" "$word" "${path#/usr}" "$word" "$target" \
                            "$word" "${target#/usr}"
        done)
# shellcheck disable=SC2046
installed_by=$(dpkg-query -S $(cut -d' ' -f2 <<<"$paths" | sort -u) 2>/dev/null)
owners=$(awk 'NR == FNR { split($0, part, ": "); by[part[2]] = part[1]; next }
              { if (index(packages[$1] " ", " " by[$2] " ") == 0) packages[$1] = packages[$1] " " by[$2] }
              END { for (word in packages) print word, packages[word] }' \
             <(printf '%s\n' "$installed_by") <(printf '%s\n' "$paths") |
           sed 's/,/ /g; s/:[a-z0-9]*//g')

# unprovided PACKAGES...: "WORD PACKAGE..." for each called program from no package that a
# minimal Debian or PACKAGES bring.
unprovided() {
  local provided word packages package found
  provided=$({ printf '%s\n' "$@" apt
               dpkg-query -W -f='${Depends}, ${Pre-Depends}\n' "$@" 2>/dev/null |
                 tr ',|' '\n\n' | sed 's/^ *//; s/[ :].*//'
               dpkg-query -W -f='${Package} ${Priority} ${Essential}\n' |
                 awk '$2 == "required" || $3 == "yes" { print $1 }'; } | grep . | sort -u)
  while read -r word packages; do
    found=no
    for package in $packages; do
      grep -qx -- "$package" <<<"$provided" && found=yes
    done
    [ "$found" = yes ] || echo "$word $packages"
  done <<<"$owners"
}

# shellcheck disable=SC2086
missing=$(unprovided $setup_packages)
[ -z "$missing" ] ||
  fail "called by the scripts or the build, not installed by scripts/setup.sh:" $missing
# shellcheck disable=SC2046
without=$(unprovided $(grep -vx 'git\|zip' <<<"$setup_packages") | cut -d' ' -f1 | sort | tr '\n' ' ')
[ "$without" = "git zip " ] || fail "without git and zip in the set-up, the scan names: $without"

[ "$failures" -eq 0 ] && echo "setup tools: all checks passed"
[ "$failures" -eq 0 ]
