#!/usr/bin/env bash
# check-signed-release.sh SIGNED UNSIGNED: checks that a signed release is the build of its
# commit, by comparing it with an unsigned rebuild of that commit (`cmake --workflow --preset
# release-win32` or release-win64 in a clean clone, without a key). Each may be the ZIP or
# the folder it unpacks to.
#  - truvApp.dll and truvhost.exe: the signature removed (osslsigncode remove-signature), the
#    signed file must be the rebuilt one but for the 4 bytes of the PE checksum, which signing
#    sets, and the zeros (fewer than 8) that align the signature to 8 bytes at the end;
#  - the bill of materials: the same once the signed binaries' SHA-1 and SHA-256 are replaced
#    by the rebuilt ones' (and those of the signed package must be its files' own);
#  - every other file: the same bytes.
# It says nothing about who signed: `osslsigncode verify` does (docs/release.md).
# Exit 0 when the release is the rebuild, 1 when not, 2 on wrong use.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: scripts/check-signed-release.sh SIGNED.zip|DIR UNSIGNED.zip|DIR" >&2
  exit 2
fi
command -v osslsigncode >/dev/null ||
  { echo "check-signed-release: osslsigncode is missing (scripts/setup.sh)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The package's folder: the ZIP unpacked, or the folder itself.
package_root() {
  local package=$1 into=$2
  if [ -d "$package" ]; then
    printf '%s\n' "$package"
  elif [ -f "$package" ]; then
    mkdir -p "$into"
    local zip
    zip=$(realpath "$package")
    (cd "$into" && cmake -E tar xf "$zip") ||
      { echo "check-signed-release: $package: not a ZIP" >&2; exit 2; }
    local top=("$into"/*)
    printf '%s\n' "${top[0]}"
  else
    echo "check-signed-release: $package does not exist" >&2
    exit 2
  fi
}
signed=$(package_root "$1" "$work/signed")
unsigned=$(package_root "$2" "$work/unsigned")
listing() { (cd "$1" && find . -type f | sort); }
if [ "$(listing "$signed")" != "$(listing "$unsigned")" ]; then
  echo "check-signed-release: the packages hold different files:"
  diff <(listing "$signed") <(listing "$unsigned") | grep '^[<>]' || true
  exit 1
fi

# The offset of the PE checksum: e_lfanew (at 0x3C) + signature 4 + file header 20 + 64.
checksum_offset() {
  echo $(($(od -An -tu4 -j60 -N4 "$1") + 88))
}

# same_but_signature SIGNED UNSIGNED: the signed binary, its signature removed, against the
# unsigned one.
same_but_signature() {
  local file=$1 rebuilt=$2 bare=$work/bare size extra offset
  rm -f "$bare"
  if ! osslsigncode remove-signature -in "$file" -out "$bare" >/dev/null 2>&1; then
    echo "has no signature to remove"
    return 1
  fi
  size=$(stat -c %s "$rebuilt")
  extra=$(($(stat -c %s "$bare") - size))
  local padding=yes
  if [ "$extra" -lt 0 ] || [ "$extra" -ge 8 ]; then
    padding=no
  elif [ "$extra" -gt 0 ] && [ -n "$(tail -c "$extra" "$bare" | tr -d '\0')" ]; then
    padding=no
  fi
  if [ "$padding" = no ]; then
    echo "differs in length ($((size + extra)) bytes without its signature, $size rebuilt)"
    return 1
  fi
  offset=$(checksum_offset "$rebuilt")
  # cmp -l numbers bytes from 1; only the checksum's four may differ.
  local outside
  outside=$(cmp -l -n "$size" "$bare" "$rebuilt" |
              awk -v from=$((offset + 1)) -v to=$((offset + 4)) '$1 < from || $1 > to' | wc -l)
  if [ "$outside" -ne 0 ]; then
    echo "differs in $outside bytes besides the PE checksum"
    return 1
  fi
}

hashes() { sha1sum "$1" | cut -d' ' -f1; sha256sum "$1" | cut -d' ' -f1; }
differ=0
binaries=(truvApp.dll truvhost.exe)
spdx_edit=()
for binary in "${binaries[@]}"; do
  if verdict=$(same_but_signature "$signed/$binary" "$unsigned/$binary"); then
    echo "same but for the signature and the PE checksum: $binary"
  else
    echo "check-signed-release: $binary $verdict"
    differ=1
  fi
  mapfile -t from < <(hashes "$signed/$binary")
  mapfile -t to < <(hashes "$unsigned/$binary")
  spdx_edit+=(-e "s/${from[0]}/${to[0]}/g" -e "s/${from[1]}/${to[1]}/g")
done

while IFS= read -r file; do
  file=${file#./}
  case " ${binaries[*]} " in *" $file "*) continue ;; esac
  if [[ $file == *.spdx.json ]]; then
    # The signed package's bill names its own binaries; with the rebuilt ones' sums it is
    # the rebuild's bill.
    if sed "${spdx_edit[@]}" "$signed/$file" | cmp -s - "$unsigned/$file"; then
      echo "same but for the signed binaries' sums: $file"
      continue
    fi
  elif cmp -s "$signed/$file" "$unsigned/$file"; then
    continue
  fi
  echo "check-signed-release: $file differs"
  differ=1
done < <(listing "$signed")

if [ "$differ" -ne 0 ]; then
  echo "check-signed-release: $1 is NOT the build of $2"
  exit 1
fi
echo "check-signed-release: $1 is $2 signed"
