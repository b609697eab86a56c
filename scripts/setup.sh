#!/usr/bin/env bash
# Installs everything truvApp's builds and tests need on Debian 12 or 13, as root: the
# release's own clang (no version named) and every program the scripts and the build call
# (tests/scripts/setup_tools_test.sh compares the two). Idempotent: a second run installs
# nothing and touches no package list, and needs no root.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64  # Windows cross tools
  wine wine32:i386 wine64                       # runs the Windows tests
  xvfb x11-apps imagemagick xdotool             # screenshots of real windows and boxes
  locales fonts-wqy-zenhei fonts-wqy-microhei   # code page 936 under Wine, Chinese glyphs
  git cmake ninja-build g++ make                # the build (git: the release's date)
  googletest libgtest-dev libbenchmark-dev      # tests and benchmarks
  llvm                                          # llvm-readobj for the export check
  clang lld                                     # the package test's MSVC-ABI host
  libclang-rt-dev python3                       # the fuzz preset: libFuzzer, sanitizers
  binutils clang-format tmux util-linux file    # objdump, formatting, terminal checks, flock
  osslsigncode openssl zip unzip                # the release: signing, throw-away keys, ZIP
)

missing=()
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
has_locale() { locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; }

# Everything there: nothing to do, whoever runs it.
if [ ${#missing[@]} -eq 0 ] && has_locale; then
  echo "setup.sh: ready"
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "setup.sh: ${missing[*]:-the locale zh_CN.UTF-8} missing: run as root (sudo) to install" >&2
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup.sh: installing ${#missing[@]} packages and what they need (about 7 minutes on" \
       "a first run, most of it Wine and its 32-bit libraries): ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    rm -f /var/lib/apt/lists/*_Packages* 2>/dev/null || true  # force a fresh list with i386
  fi
  # Update the lists only when they lack i386 or are missing altogether.
  if ! ls /var/lib/apt/lists/*i386_Packages* >/dev/null 2>&1; then
    echo "setup.sh: reading the package lists"
    apt-get update -q
  fi
  if ! apt-get install -y -q "${missing[@]}"; then
    apt-get update -q
    apt-get install -y -q "${missing[@]}"
  fi
fi

# The Chinese locale: without it Wine falls back to code page 1252 without a word.
if ! has_locale; then
  echo "setup.sh: generating zh_CN.UTF-8"
  if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  fi
  locale-gen >/dev/null
fi
has_locale || { echo "setup.sh: zh_CN.UTF-8 missing" >&2; exit 1; }

echo "setup.sh: ready"
