# Sourced by the scripts a person starts, perhaps with sudo (main-job.sh, test-all.sh,
# tour.sh). `truv_as_sudo_user REPO COMMAND...`: when root through sudo for a normal user
# (SUDO_USER), runs COMMAND instead of the rest of the script, as that user, so that the
# build trees, the Wine prefixes and the tour belong to whoever asked for them, as after a
# run without sudo. Returns at once otherwise (root itself, CI, a normal user).
truv_as_sudo_user() {
  repo_dir=$1
  shift
  [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ] || return 0
  mkdir -p "$repo_dir/build"
  chown "$SUDO_USER:" "$repo_dir/build"
  for made in "$repo_dir"/build/*.log; do  # the set-up's log, made as root
    [ -f "$made" ] && chown "$SUDO_USER:" "$made"
  done
  # A tree an earlier run as root left behind cannot be built on by the user.
  for tree in "$repo_dir"/build/*/; do
    [ -d "$tree" ] || continue
    if [ "$(stat -c %U "$tree")" != "$SUDO_USER" ]; then
      echo "${tree%/} belongs to $(stat -c %U "$tree") (an earlier run as root?); make it" \
           "yours with: sudo chown -R $SUDO_USER: '$repo_dir/build'" >&2
      exit 1
    fi
  done
  user_home=$(getent passwd "$SUDO_USER" | cut -d: -f6)
  exec runuser -u "$SUDO_USER" -- env HOME="$user_home" USER="$SUDO_USER" \
    LOGNAME="$SUDO_USER" "$@"
}
