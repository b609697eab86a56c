#!/usr/bin/env bash
# progress.sh LOG LABEL COMMAND [ARGS...]: runs COMMAND with all its output in LOG and shows
# that it is alive: on a terminal one line rewritten in place (`LABEL: building [52/87],
# 1 min 10 s`), in a pipe or a log a line every TRUV_PROGRESS_SECONDS (10) seconds while the
# step lasts. The line reads the output of the tools the scripts run: ninja's `[n/m]`, CTest's
# `n/m Test #`, apt's package counts. Ends with COMMAND's exit status; the line in place is
# cleared at the end, so the caller's next line takes its place.
# TRUV_PROGRESS_TTY=1: the caller's output goes through a pipe (to tee, say) but the person
# watches a terminal: the line in place goes to /dev/tty, the pipe gets nothing of it.
set -uo pipefail
log=$1
label=$2
shift 2
interval=${TRUV_PROGRESS_SECONDS:-10}

exec 3>&1  # where the progress goes
in_place=no
if [ -t 1 ]; then
  in_place=yes
elif [ "${TRUV_PROGRESS_TTY:-}" = 1 ] && { : >/dev/tty; } 2>/dev/null; then
  in_place=yes
  exec 3>/dev/tty
fi
width=$(stty size 2>/dev/null </dev/tty | cut -d' ' -f2)
width=${width:-80}

elapsed() {
  local seconds=$((SECONDS - start))
  if [ "$seconds" -ge 60 ]; then
    printf '%d min %d s' $((seconds / 60)) $((seconds % 60))
  else
    printf '%d s' "$seconds"
  fi
}

state="started"
total_packages=""
unpacked=0
set_up=0
# The step's state from one line of a tool's output.
read_line() {
  local line=$1
  if [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]]; then
    state="building [${BASH_REMATCH[1]}/${BASH_REMATCH[2]}]"
  elif [[ $line =~ ^\ *([0-9]+)/([0-9]+)\ Test\ +# ]]; then
    state="testing ${BASH_REMATCH[1]}/${BASH_REMATCH[2]}"
  elif [[ $line =~ ^--\ Configuring|^--\ The\ |^--\ Detecting ]]; then
    state="configuring"
  elif [[ $line =~ ^Executing\ workflow\ step\ [0-9]+\ of\ [0-9]+:\ ([a-z]+) ]]; then
    state="${BASH_REMATCH[1]} step"
  elif [[ $line =~ ^setup.sh:\ (installing\ [0-9]+\ packages) ]]; then
    state=${BASH_REMATCH[1]}
  elif [[ $line =~ ^check-reproducible:\ (building|comparing)\ ([^ ]+) ]]; then
    state="${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
  elif [[ $line =~ ^([0-9]+)\ upgraded,\ ([0-9]+)\ newly\ installed,\ (([0-9]+)\ reinstalled,\ )?(([0-9]+)\ downgraded,\ )? ]]; then
    # apt's plan: every package it upgrades, installs, reinstalls or downgrades is unpacked and
    # set up. Each attempt (setup.sh tries again after a failure) starts counting afresh.
    total_packages=$((BASH_REMATCH[1] + BASH_REMATCH[2] + ${BASH_REMATCH[4]:-0} + ${BASH_REMATCH[6]:-0}))
    unpacked=0
    set_up=0
    state="$total_packages packages to install"
  elif [[ $line =~ ^Get:([0-9]+) ]]; then
    state="downloading ${BASH_REMATCH[1]}${total_packages:+/$total_packages}"
  elif [[ $line =~ ^Unpacking\  ]]; then
    unpacked=$((unpacked + 1))
    state="unpacking $unpacked${total_packages:+/$total_packages}"
  elif [[ $line =~ ^Setting\ up\  ]]; then
    set_up=$((set_up + 1))
    state="setting up $set_up${total_packages:+/$total_packages}"
  fi
}

show() {
  local text="$label: $state, $(elapsed)"
  if [ "$in_place" = yes ]; then
    printf '\r\033[K%s' "${text:0:$((width - 1))}" >&3
  else
    printf '%s\n' "$text" >&3
  fi
}

start=$SECONDS
shown=$SECONDS
: >"$log"
"$@" 3>&- 2>&1 | {
  [ "$in_place" = no ] || show
  pending=""  # the start of a line that a time-out cut
  while :; do
    if IFS= read -r -t "$interval" line; then
      line=$pending$line
      pending=""
      printf '%s\n' "$line" >>"$log"
      read_line "$line"
      if [ "$in_place" = yes ] || [ $((SECONDS - shown)) -ge "$interval" ]; then
        show
        shown=$SECONDS
      fi
    elif [ $? -gt 128 ]; then  # no line for a while: still alive
      pending+=$line
      show
      shown=$SECONDS
    else
      [ -n "$pending$line" ] && printf '%s' "$pending$line" >>"$log"
      break
    fi
  done
  [ "$in_place" = yes ] && printf '\r\033[K' >&3
  true
}
exit "${PIPESTATUS[0]}"
