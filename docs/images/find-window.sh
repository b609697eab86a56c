#!/bin/sh
# find-window.sh TITLE: waits up to 180 s for an X window whose title matches TITLE (a regular
# expression), then prints its id. Used by the screenshot scripts inside Xvfb. A Wine whose
# server was stopped takes 15 to 25 s to show the first window on a busy machine, and more
# than a minute when the machine is shared.
for i in $(seq 180); do
  window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
  [ -n "$window" ] && { sleep 1; echo "$window"; exit 0; }
  sleep 1
done
echo "find-window.sh: no window $1" >&2
exit 1
