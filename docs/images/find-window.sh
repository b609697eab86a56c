#!/bin/sh
# find-window.sh TITLE: waits up to 20 s for an X window whose title matches TITLE (a regular
# expression), then prints its id. Used by the screenshot scripts inside Xvfb.
for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
  window=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
  [ -n "$window" ] && { sleep 1; echo "$window"; exit 0; }
  sleep 1
done
echo "find-window.sh: no window $1" >&2
exit 1
