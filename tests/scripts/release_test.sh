#!/usr/bin/env bash
# The release's packing and the vendor's check of a signed package, on stand-in binaries and
# a stand-in osslsigncode (signing appends a signature block, removing it takes it off):
#  - cmake/PackRelease.cmake signs with the URL given, the default one when TRUV_SIGN_URL is
#    unset or empty, and writes the bill of materials over the signed bytes;
#  - scripts/check-signed-release.sh passes the signed package against the unsigned one, and
#    refuses crafted ZIPs before unpacking anything: entries that climb out, are absolute or
#    are links, a second top folder, an extra or a doubled file, a bill listing other sums,
#    entries declaring more than 64 MiB, bytes no central directory entry accounts for, a
#    certificate table holding more than its signature and padding; the rebuild's folder
#    given by any name.
# usage: release_test.sh REPO
set -u
repo=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/bin" "$work/build/files"
cat >"$work/bin/osslsigncode" <<'STUB'
#!/bin/sh
# sign ... -i URL ... -in IN -out OUT | remove-signature -in IN -out OUT
command=$1; shift
url=""
while [ $# -gt 0 ]; do
  case $1 in -i) url=$2 ;; -in) in=$2 ;; -out) out=$2 ;; esac
  shift
done
case $command in
  sign) echo "$url" >>"$STUB_LOG"; { cat "$in"; printf 'SIGNATURE'; } >"$out" ;;
  remove-signature)
    [ "$(tail -c 9 "$in")" = SIGNATURE ] || exit 1
    head -c -9 "$in" >"$out" ;;
esac
STUB
chmod +x "$work/bin/osslsigncode"
export PATH=$work/bin:$PATH STUB_LOG=$work/sign.log
# Stand-in binaries: 256 zero bytes (e_lfanew 0, so the PE checksum sits at 88), then code.
for binary in truvApp.dll truvhost.exe; do
  { head -c 256 /dev/zero; echo "code of $binary"; } >"$work/build/files/$binary"
done
echo "notes" >"$work/build/files/README.md"
cat >"$work/build/cmake_install.cmake" <<INSTALL
file(INSTALL DESTINATION "\${CMAKE_INSTALL_PREFIX}" TYPE FILE FILES
     "$work/build/files/truvApp.dll" "$work/build/files/truvhost.exe"
     "$work/build/files/README.md")
INSTALL
echo 'set(TRUV_COMPONENTS "")' >"$work/components.cmake"
cat >"$work/settings.cmake" <<SETTINGS
set(BUILD_DIR "$work/build")
set(NAME "truvApp-9.9.9-win32")
set(VERSION "9.9.9")
set(EPOCH "1700000000")
set(COMPONENTS "$work/components.cmake")
set(OSSLSIGNCODE "$work/bin/osslsigncode")
set(ZIP "$(command -v zip)")
SETTINGS
# pack OUT_DIR [VAR=VALUE...]: the package, signed when the key is given among the settings.
pack() {
  local out=$1
  shift
  env -u TRUV_SIGN_CERT -u TRUV_SIGN_KEY -u TRUV_SIGN_URL "$@" cmake -DSETTINGS="$work/settings.cmake" \
    -DOUT_DIR="$out" -P "$repo/cmake/PackRelease.cmake" >"$out.log" 2>&1 ||
    fail "packing into $out: $(cat "$out.log")"
}
name=truvApp-9.9.9-win32
pack "$work/unsigned"
# The URL each signature carries: the one given, the default one when unset or empty.
signing=(TRUV_SIGN_CERT=cert TRUV_SIGN_KEY=key)
while IFS='|' read -r setting want; do
  : >"$STUB_LOG"
  pack "$work/signed" "${signing[@]}" $setting
  got=$(sort -u "$STUB_LOG")
  [ "$got" = "$want" ] || fail "packing with '$setting': signed with the URL '$got', not '$want'"
done <<'TABLE'
TRUV_SIGN_URL=https://vendor.invalid/|https://vendor.invalid/
TRUV_SIGN_URL=|https://truvapp.invalid/
|https://truvapp.invalid/
TABLE

# Crafted packages from the signed one's files: PATH ENTRIES..., each entry NAME=FILE (FILE
# relative to the unpacked signed package), NAME@TARGET (a link), NAME=@SPDX (the rebuild's
# bill of materials, which lists the unsigned sums), NAME=@ZEROS (65 MiB of zeros, deflated),
# NAME=FILE~OTHER (the entry's own header naming OTHER), NAME^FILE (a local entry before the
# others that the central directory does not list).
mkdir -p "$work/files" && (cd "$work/files" && unzip -q "$work/signed/$name.zip")
mkdir -p "$work/rebuild" && (cd "$work/rebuild" && unzip -q "$work/unsigned/$name.zip")
craft() {
  python3 -c '
import sys, warnings, zipfile
warnings.simplefilter("ignore")
local, hidden = {}, b""
with zipfile.ZipFile(sys.argv[1], "w") as package:
    for entry in sys.argv[4:]:
        if "^" in entry:
            name, source = entry.split("^", 1)
            with zipfile.ZipFile(sys.argv[1] + ".hidden", "w") as alone:
                alone.writestr(name, open(sys.argv[2] + "/" + source, "rb").read())
            hidden = open(sys.argv[1] + ".hidden", "rb").read()
            hidden = hidden[:hidden.index(b"PK\x01\x02")]
        elif entry.endswith("=@ZEROS"):
            package.writestr(entry[:-7], bytes(65 << 20), zipfile.ZIP_DEFLATED)
        elif "@" in entry and "=" not in entry:
            name, target = entry.split("@", 1)
            info = zipfile.ZipInfo(name)
            info.external_attr = 0o120777 << 16
            package.writestr(info, target)
        else:
            name, source = entry.split("=", 1)
            source, _, local[name] = source.partition("~")
            source = sys.argv[3] if source == "@SPDX" else sys.argv[2] + "/" + source
            package.writestr(name, open(source, "rb").read())
data = open(sys.argv[1], "rb").read()
for name, other in local.items():
    if other:  # the entry'"'"'s own header names OTHER, padded to the length of NAME
        at = data.index(name.encode())
        data = data[:at] + other.ljust(len(name), "x").encode() + data[at + len(name):]
open(sys.argv[1], "wb").write(hidden + data)
' "$1" "$work/files" "$work/rebuild/$name/$name.spdx.json" "${@:2}"
}
# A stand-in host whose certificate table holds 8 bytes and 3 of padding besides its 5-byte
# signature.
mkdir -p "$work/files/payload"
python3 -c '
import struct, sys
host = bytearray(256)
struct.pack_into("<I", host, 0x3C, 64)
host[64:68] = b"PE\0\0"
struct.pack_into("<H", host, 64 + 24, 0x10B)
struct.pack_into("<II", host, 64 + 24 + 96 + 32, 256, 24)
host += struct.pack("<IHH", 24, 0x200, 2) + bytes.fromhex("3003020100") + b"PAYLOAD!" + bytes(3)
open(sys.argv[1], "wb").write(host)
' "$work/files/payload/truvhost.exe"
own=()
for file in README.md truvApp.dll truvhost.exe "$name.spdx.json"; do own+=("$name/$file=$name/$file"); done
outside=$work/outside
mkdir -p "$outside/tmp"
# case | entries beside the package's own (+), or instead of the one named (!) | said
while IFS='|' read -r case change said; do
  entries=("${own[@]}")
  case $change in
    '+'*) read -ra more <<<"${change#+}"; entries+=("${more[@]}") ;;
    '!'*) read -r replaced by <<<"${change#!}"
          entries=()
          for entry in "${own[@]}"; do
            [ "${entry%%=*}" = "$replaced" ] || entries+=("$entry")
          done
          [ -z "$by" ] || entries+=("$by") ;;
    '<'*) entries=("${change#<}" "${entries[@]}") ;;
  esac
  entries=("${entries[@]//OUTSIDE/$outside}")
  craft "$work/$case.zip" "${entries[@]}"
  TMPDIR=$outside/tmp bash "$repo/scripts/check-signed-release.sh" "$work/$case.zip" \
    "$work/unsigned/$name.zip" >"$work/check.out" 2>&1
  status=$?
  want=1
  [ "$case" = genuine ] && want=0
  [ "$status" -eq "$want" ] && grep -q -- "$said" "$work/check.out" ||
    fail "$case: exit $status, want $want and '$said': $(cat "$work/check.out")"
  written=$(find "$outside" -mindepth 1 ! -path "$outside/tmp*")
  [ -z "$written" ] || fail "$case: unpacked outside its folder: $written"
  rm -rf "$outside" && mkdir -p "$outside/tmp"
done <<'TABLE'
genuine||is .* signed
climbs out|+truvApp-9.9.9-win32/../../../../escaped=truvApp-9.9.9-win32/README.md|climbs out
header climbs out|!truvApp-9.9.9-win32/README.md truvApp-9.9.9-win32/README.md=truvApp-9.9.9-win32/README.md~../../../escaped|differ
absolute|+OUTSIDE/absolute=truvApp-9.9.9-win32/README.md|is absolute
link|+truvApp-9.9.9-win32/docs@OUTSIDE truvApp-9.9.9-win32/docs/through=truvApp-9.9.9-win32/README.md|is a link
second folder|+other/run.exe=truvApp-9.9.9-win32/truvhost.exe|not one top folder
extra file|+truvApp-9.9.9-win32/run.exe=truvApp-9.9.9-win32/truvhost.exe|not in the release: truvApp-9.9.9-win32/run.exe
impostor first|<truvApp-9.9.9-win32/truvhost.exe=truvApp-9.9.9-win32/README.md|more than once: truvApp-9.9.9-win32/truvhost.exe
file missing|!truvApp-9.9.9-win32/README.md|missing: truvApp-9.9.9-win32/README.md
bomb|!truvApp-9.9.9-win32/README.md truvApp-9.9.9-win32/README.md=@ZEROS|declares [0-9]* bytes unpacked, more than
hidden entry|+truvApp-9.9.9-win32/run.exe^truvApp-9.9.9-win32/truvhost.exe|bytes at 0 that no entry accounts for
certificate payload|!truvApp-9.9.9-win32/truvhost.exe truvApp-9.9.9-win32/truvhost.exe=payload/truvhost.exe|truvhost.exe has 11 bytes in its certificate table besides its signature
unsigned sums|!truvApp-9.9.9-win32/truvApp-9.9.9-win32.spdx.json truvApp-9.9.9-win32/truvApp-9.9.9-win32.spdx.json=@SPDX|truvApp.dll: its SHA1 is not the one
TABLE

# The rebuild given as its folder, by its path or as the folder the check runs in.
while read -r folder given; do
  (cd "$folder" && bash "$repo/scripts/check-signed-release.sh" "$work/genuine.zip" "$given") \
    >"$work/check.out" 2>&1 || fail "rebuild given as '$given': $(cat "$work/check.out")"
done <<TABLE
$work                     $work/rebuild/$name
$work/rebuild/$name       .
$work/rebuild             $name
TABLE

[ "$failures" -eq 0 ] && echo "release: all checks passed"
[ "$failures" -eq 0 ]
