#!/bin/sh
# A tour taken with sudo belongs to the user who asked for it: run as root with SUDO_USER
# set to an unprivileged user, `tour.sh --set-up` makes a folder of that user, in which that
# user can run ./truv.sh (the menu, whose first start writes menu.txt, then the doctor).
# Needs root (CTest's skip, code 77, otherwise).
# usage: sudo_tour_test.sh REPO BUILD   (BUILD: a built native tree)
set -u
repo=$1
build=$2
user=nobody
if [ "$(id -u)" -ne 0 ] || ! id "$user" >/dev/null 2>&1; then
  printf '%s\n' "sudo_tour_test.sh: Skipped" "needs root and a user $user" \
    "[  SKIPPED ] tour_sudo_user"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The tour's scripts and programs in a scratch clone of the user's, as after a build of
# theirs, so that nothing of this build tree changes hands.
clone=$work/clone
mkdir -p "$clone/scripts" "$clone/build/native/bin" "$work/tmp"
cp "$repo/scripts/tour.sh" "$repo/scripts/as-sudo-user.sh" "$clone/scripts/"
for program in truvhost truvApp.so truv-demo truv-standin; do
  cp "$build/bin/$program" "$clone/build/native/bin/"
done
chown -R "$user:" "$clone/build"
chmod 755 "$work" "$clone"
chmod 1777 "$work/tmp"
tour=$(cd "$clone" && SUDO_USER=$user TMPDIR=$work/tmp TRUV_TOUR_BUILT=1 \
         sh scripts/tour.sh --native --set-up) ||
  { echo "FAIL: no tour"; exit 1; }
owner=$(stat -c %U "$tour")
[ "$owner" = "$user" ] || { echo "FAIL: the tour $tour belongs to $owner, not $user"; exit 1; }
runuser -u "$user" -- sh -c "cd '$tour' && ./truv.sh list >/dev/null && ./truv.sh doctor" >"$work/doctor.out" 2>&1
status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: $user's ./truv.sh list and doctor in the tour ended with $status:"
  cat "$work/doctor.out"
  exit 1
fi
echo "the tour belongs to $user, whose ./truv.sh list and doctor work"
