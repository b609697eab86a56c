#!/usr/bin/env bash
# check-fresh-debian.sh [--keep] [--commands 'CMD; ...'] RELEASE: the README's two commands as
# a newcomer meets them, in a fresh minimal Debian RELEASE (bookworm or 12, trixie or 13):
#  - debootstrap --variant=minbase from the package source this machine uses (the first
#    URI of its apt sources; TRUV_MIRROR another), into a new folder under /var/tmp;
#  - /proc, /sys, /dev and /dev/pts mounted there (and a /dev/shm of its own), and unmounted on every exit (the end, a
#    failure, Ctrl+C), after the processes left running in it (a lingering wineserver) end;
#  - a clone of this repository's HEAD copied in as /root/truvApp;
#  - `bash scripts/main-job.sh` then `bash scripts/test-all.sh` run there as root, each with
#    its time, exit status and closing line; the whole output in the folder's /root/*.log.
# --commands runs other commands in the clone instead (a quicker look, say the set-up alone).
# The folder is removed at the end unless --keep is given. For maintainers before a release
# (docs/release.md); it takes as long as the test command itself and is not one of the tests.
# Exit 0 when every command passed.
set -euo pipefail
keep=no
commands=("bash scripts/main-job.sh" "bash scripts/test-all.sh")
while [ $# -gt 1 ]; do
  case $1 in
    --keep) keep=yes; shift ;;
    --commands) IFS=';' read -ra given <<<"$2"; shift 2
                commands=()
                for command in "${given[@]}"; do
                  [ -z "${command//[[:space:]]/}" ] || commands+=("$command")
                done ;;
    *) break ;;
  esac
done
if [ $# -ne 1 ] || [ "${#commands[@]}" -eq 0 ]; then
  [ "${#commands[@]}" -gt 0 ] || echo "check-fresh-debian: --commands gives no command to run" >&2
  echo "usage: scripts/check-fresh-debian.sh [--keep] [--commands 'CMD; ...'] bookworm|trixie" >&2
  exit 2
fi
case $1 in
  12 | bookworm) release=bookworm ;;
  13 | trixie) release=trixie ;;
  *) echo "check-fresh-debian: $1: not a Debian release this checks (bookworm, trixie)" >&2
     exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "check-fresh-debian: run as root (sudo)" >&2; exit 2; }
repo=$(cd "$(dirname "$0")/.." && pwd)
git -C "$repo" rev-parse --verify -q HEAD >/dev/null ||
  { echo "check-fresh-debian: $repo is no git clone with a commit" >&2; exit 2; }
if ! command -v debootstrap >/dev/null; then
  echo "check-fresh-debian: installing debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap >/dev/null
fi

# The package source this machine uses: deb822 sources first, then the one-line ones.
mirror=${TRUV_MIRROR:-$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
                          sed -n 's/^URIs: *\([^ ]*\).*/\1/p' | grep -v security | head -n 1)}
mirror=${mirror:-$(sed -n 's/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\) .*/\2/p' \
                     /etc/apt/sources.list 2>/dev/null | grep -v security | head -n 1)}
[ -n "$mirror" ] || { echo "check-fresh-debian: no package source in /etc/apt; set TRUV_MIRROR" >&2; exit 2; }

root=$(mktemp -d "/var/tmp/truv-fresh-$release.XXXXXX")
# The folder becomes the system's root: as mktemp made it (0700), no user but root could reach
# a single file, and every test that runs something as another user would fail.
chmod 755 "$root"
mounted=()
# Every exit: the processes still running in the folder ended, what was mounted there
# unmounted (the last first), the folder removed unless kept or still mounted.
finish() {
  local status=$? pid target i
  for pid in /proc/[0-9]*; do
    if [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ]; then
      kill -KILL "${pid#/proc/}" 2>/dev/null || true
    fi
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    target=${mounted[i]}
    umount "$target" 2>/dev/null || umount -l "$target" ||
      echo "check-fresh-debian: could not unmount $target" >&2
  done
  if grep -q " $root[/ ]" /proc/self/mounts; then
    echo "check-fresh-debian: still mounted under $root; left in place" >&2
  elif [ "$keep" = no ]; then
    rm -rf --one-file-system "$root"
  else
    echo "check-fresh-debian: kept $root"
  fi
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

echo "check-fresh-debian: debootstrap --variant=minbase $release from $mirror into $root"
if ! debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1; then
  tail -n 20 "$root.debootstrap.log" >&2
  echo "check-fresh-debian: debootstrap failed (its log: $root.debootstrap.log)" >&2
  exit 1
fi
rm -f "$root.debootstrap.log"
mount_in() {  # mount_in TARGET MOUNT-ARGS...
  mount "${@:2}" "$root$1"
  mounted+=("$root$1")
}
mount_in /proc -t proc proc
mount_in /sys --bind /sys
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs tmpfs  # its own, not the machine's
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
git clone --quiet --no-local "$repo" "$root/root/truvApp"
echo "check-fresh-debian: $(git -C "$repo" log -1 --format='%h %s' | cut -c1-70) in /root/truvApp"

failed=0
number=0
for command in "${commands[@]}"; do
  number=$((number + 1))
  log=/root/command-$number.log
  start=$SECONDS
  status=0
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/truvApp && $command" </dev/null >"$root$log" 2>&1 || status=$?
  seconds=$((SECONDS - start))
  printf 'check-fresh-debian: %s: %d min %d s, exit %d, closing line: %s\n' "$command" \
    $((seconds / 60)) $((seconds % 60)) "$status" "$(tail -n 1 "$root$log")"
  [ "$status" -eq 0 ] || { failed=1; tail -n 15 "$root$log" | sed 's/^/  | /'; }
done
[ "$keep" = no ] || echo "check-fresh-debian: the output of each command: $root/root/command-*.log"
exit "$failed"
