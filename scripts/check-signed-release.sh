#!/usr/bin/env bash
# check-signed-release.sh SIGNED UNSIGNED: checks that a signed release is the build of its
# commit, by comparing it with an unsigned rebuild of that commit (`cmake --workflow --preset
# release-win32` or release-win64 in a clean clone, without a key). Each may be the ZIP or
# the folder it unpacks to.
#  - the signed ZIP's entries are read before anything is unpacked: one that climbs out of its
#    folder, is absolute or is a link is refused, and the entries must be exactly the
#    rebuild's files in its one top folder, each once; bytes that no central directory entry
#    accounts for, or more than 64 MiB declared unpacked, are refused, and no entry is
#    unpacked beyond the size it declares;
#  - truvApp.dll and truvhost.exe: the signature removed (osslsigncode remove-signature), the
#    signed file must be the rebuilt one but for the 4 bytes of the PE checksum, which signing
#    sets, and the zeros (fewer than 8) that align the signature to 8 bytes at the end; the
#    signed file's certificate table must hold its signature (its DER's own length) and those
#    zeros only;
#  - the bill of materials: the same once the signed binaries' SHA-1 and SHA-256 are replaced
#    by the rebuilt ones', and every checksum it lists is that of the file in the package;
#  - every other file: the same bytes.
# It says nothing about who signed: `osslsigncode verify` does (docs/release.md).
# Exit 0 when the release is the rebuild, 1 when not, 2 on wrong use.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: scripts/check-signed-release.sh SIGNED.zip|DIR UNSIGNED.zip|DIR" >&2
  exit 2
fi
for tool in osslsigncode python3; do
  command -v $tool >/dev/null ||
    { echo "check-signed-release: $tool is missing (scripts/setup.sh)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# entries ZIP: the ZIP's entry names, one a line; nothing and exit 1 when an entry could land
# outside the folder it is unpacked in (a name that climbs out with "..", an absolute name, a
# drive, a backslash) or is no plain file (a link, a device), when the ZIP holds bytes that
# none of its central directory's entries accounts for (before the first, between two, a
# local entry the directory does not list), or when its entries declare more than
# MAX_UNPACKED bytes in all; exit 2 when it is no ZIP.
MAX_UNPACKED=$((64 << 20))
entries() {
  python3 -c '
import stat, struct, sys, zipfile
try:
    archive = zipfile.ZipFile(sys.argv[1])
    infos = archive.infolist()
    data = open(sys.argv[1], "rb").read()
except (OSError, zipfile.BadZipFile) as error:
    print(f"  not a ZIP ({error})", file=sys.stderr)
    sys.exit(2)
refused = []
# Each entry'"'"'s local header, data and data descriptor must follow the one before it, from
# the first byte to the central directory.
at = 0
for info in sorted(infos, key=lambda info: info.header_offset):
    if info.header_offset != at or data[at:at + 4] != b"PK\x03\x04":
        refused.append(f"{info.filename!r}: bytes at {at} that no entry accounts for")
        break
    names, extra = struct.unpack_from("<HH", data, at + 26)
    at += 30 + names + extra + info.compress_size
    if info.flag_bits & 0x08:
        at += 4 if data[at:at + 4] == b"PK\x07\x08" else 0
        at += 20 if info.file_size >= 0xFFFFFFFF or info.compress_size >= 0xFFFFFFFF else 12
if not refused and at != archive.start_dir:
    refused.append(f"{sys.argv[1]!r} has bytes at {at} that no entry accounts for")
declared = sum(info.file_size for info in infos)
if declared > int(sys.argv[2]):
    refused.append(f"{sys.argv[1]!r} declares {declared} bytes unpacked, more than {sys.argv[2]}")
for info in infos:
    name, mode = info.filename, info.external_attr >> 16
    parts = name.split("/")
    if name.startswith("/") or "\\" in name or ":" in parts[0]:
        refused.append(f"{name!r} is absolute or names a drive")
    elif ".." in parts:
        refused.append(f"{name!r} climbs out of the folder")
    elif stat.S_ISLNK(mode):
        refused.append(f"{name!r} is a link")
    elif stat.S_IFMT(mode) not in (0, stat.S_IFREG, stat.S_IFDIR):
        refused.append(f"{name!r} is no plain file")
    elif any(ord(c) < 32 for c in name):
        refused.append(f"{name!r} holds a control character")
for reason in refused:
    print(f"  entry {reason}", file=sys.stderr)
if refused:
    sys.exit(1)
print("".join(info.filename + "\n" for info in infos), end="")
' "$1" "$MAX_UNPACKED"
}

# package_root PACKAGE INTO [EXPECTED]: the package's folder: the ZIP unpacked into INTO once
# its entries are known to be safe and, given EXPECTED ("TOP/FILE" lines, sorted), to be
# exactly those, each once; or the folder itself, which must hold no links.
package_root() {
  local package=$1 into=$2 expected=${3:-} names status tops
  if [ -d "$package" ]; then
    names=$(cd "$package" && find . ! -type f ! -type d)
    if [ -n "$names" ]; then
      echo "check-signed-release: $package holds links or other non-files:" $names >&2
      exit 1
    fi
    (cd "$package" && pwd)  # its own name, "." too, is its top folder's
    return
  fi
  [ -f "$package" ] || { echo "check-signed-release: $package does not exist" >&2; exit 2; }
  names=$(entries "$package") && status=0 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "check-signed-release: $package: refused, nothing unpacked" >&2
    [ "$status" -eq 1 ] && exit 1
    exit 2
  fi
  tops=$(printf '%s\n' "$names" | cut -d/ -f1 | sort -u)
  if [ "$(printf '%s\n' "$tops" | wc -l)" -ne 1 ] || [ "$names" = "$tops" ]; then
    echo "check-signed-release: $package: not one top folder:" $tops >&2
    exit 1
  fi
  if [ -n "$expected" ] && [ "$(printf '%s\n' "$names" | sort)" != "$expected" ]; then
    echo "check-signed-release: $package does not hold exactly the release's files:" >&2
    diff <(printf '%s\n' "$names" | sort -u) <(printf '%s\n' "$expected") |
      sed -n 's/^< /  not in the release: /p; s/^> /  missing: /p' >&2
    printf '%s\n' "$names" | sort | uniq -d | sed 's/^/  more than once: /' >&2
    exit 1
  fi
  # Unpacked by the names just checked, each entry's own header bearing the same name.
  mkdir -p "$into"
  # Never more bytes written than each entry declares.
  python3 -c '
import os, sys, zipfile
try:
    archive = zipfile.ZipFile(sys.argv[1])
    for info in archive.infolist():
        target = os.path.join(sys.argv[2], info.filename)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if info.is_dir():
            continue
        written = 0
        with archive.open(info) as source, open(target, "wb") as sink:
            while chunk := source.read(1 << 16):
                written += len(chunk)
                if written > info.file_size:
                    raise zipfile.BadZipFile(f"{info.filename} holds more than it declares")
                sink.write(chunk)
except (OSError, zipfile.BadZipFile) as error:
    sys.exit(f"check-signed-release: {sys.argv[1]}: refused: {error}")
' "$package" "$into" || exit 1
  printf '%s\n' "$into/$tops"
}
listing() { (cd "$1" && find . -type f | sort); }
unsigned=$(package_root "$2" "$work/unsigned")
# The release's own list: the rebuild's files in the rebuild's top folder.
expected=$(listing "$unsigned" | sed "s|^\./|$(basename "$unsigned")/|")
signed=$(package_root "$1" "$work/signed" "$expected")
if [ "$(listing "$signed")" != "$(listing "$unsigned")" ]; then
  echo "check-signed-release: the packages hold different files:"
  diff <(listing "$signed") <(listing "$unsigned") | grep '^[<>]' || true
  exit 1
fi

# The offset of the PE checksum: e_lfanew (at 0x3C) + signature 4 + file header 20 + 64.
checksum_offset() {
  echo $(($(od -An -tu4 -j60 -N4 "$1") + 88))
}

# certificate_table FILE: nothing when the PE file's certificate table (the security data
# directory) is one signature at the end of the file, its length its DER's own plus the
# header's 8 bytes and fewer than 8 zeros of padding; else what is wrong, and exit 1. A file
# with no PE header or no table is left to osslsigncode.
certificate_table() {
  python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
try:
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit(0)
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    offset, size = struct.unpack_from("<II", data, pe + 24 + (96 if magic == 0x10B else 112) + 32)
    if size == 0:
        sys.exit(0)
    length = struct.unpack_from("<I", data, offset)[0]
    der = data[offset + 8:offset + size]
    if der[1] < 0x80:
        signature = 2 + der[1]
    else:
        count = der[1] & 0x7F
        signature = 2 + count + int.from_bytes(der[2:2 + count], "big")
except (struct.error, IndexError):
    sys.exit("has a certificate table that lies outside the file")
padding = data[offset + 8 + signature:]
if 8 + signature > size:
    sys.exit("has a signature longer than its certificate table")
if der[0] != 0x30 or offset + size != len(data) or length != size or len(padding) >= 8 \
        or padding.strip(b"\0"):
    sys.exit(f"has {size - 8 - signature} bytes in its certificate table besides its signature")
' "$1" 2>&1
}

# same_but_signature SIGNED UNSIGNED: the signed binary, its signature removed, against the
# unsigned one.
same_but_signature() {
  local file=$1 rebuilt=$2 bare=$work/bare size extra offset
  rm -f "$bare"
  certificate_table "$file" || return 1
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

# spdx_sums ROOT DOCUMENT: the files the bill of materials lists, checked against the package:
# each listed one there with the SHA-1 and SHA-256 the bill gives, each of the package's
# files listed (but the bill itself). Says what differs; exit 1 when anything does.
spdx_sums() {
  python3 -c '
import hashlib, json, os, sys
root, document = sys.argv[1], sys.argv[2]
present = {os.path.relpath(os.path.join(folder, name), root)
           for folder, _, names in os.walk(root) for name in names} - {document}
faults, listed = [], set()
try:
    for entry in json.load(open(os.path.join(root, document), "rb"))["files"]:
        name = entry["fileName"].removeprefix("./")
        sums = {str(checksum["algorithm"]).replace("-", "").lower(): checksum["checksumValue"]
                for checksum in entry["checksums"]}
        if name in listed:
            faults.append(f"{name}: listed twice in {document}")
        listed.add(name)
        if name not in present:
            faults.append(f"{name}: in {document}, not in the package")
            continue
        data = open(os.path.join(root, name), "rb").read()
        for algorithm in ("sha1", "sha256"):
            if sums.get(algorithm) != hashlib.new(algorithm, data).hexdigest():
                faults.append(f"{name}: its {algorithm.upper()} is not the one {document} lists")
except (ValueError, KeyError, TypeError, AttributeError) as error:
    faults.append(f"{document}: not a bill of materials ({error!r})")
faults += [f"{name}: in the package, not in {document}" for name in sorted(present - listed)]
for fault in faults:
    print(f"check-signed-release: {fault}")
sys.exit(1 if faults else 0)
' "$@"
}
for document in $(cd "$signed" && find . -maxdepth 1 -name '*.spdx.json' -printf '%P\n'); do
  spdx_sums "$signed" "$document" || differ=1
done

if [ "$differ" -ne 0 ]; then
  echo "check-signed-release: $1 is NOT the build of $2"
  exit 1
fi
echo "check-signed-release: $1 is $2 signed"
