#!/bin/sh
# truvhost.exe on a terminal under Wine: Wine gives it a console, and the Chinese of the menu
# tree must arrive on the terminal intact (not as '?').
# usage: console_cjk_test.sh WINE_RUN TRUVHOST_EXE
set -u
command -v script >/dev/null || { echo "FAIL: script (util-linux) is missing"; exit 1; }
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# script gives the program a pseudo-terminal as its standard input and output.
script -qec "'$1' '$2' list" /dev/null </dev/null >"$out" 2>&1
status=$?
for expected in '三维建筑设计 BLDG|建筑模型输入' '[建  筑]' '砌体结构'; do
  if ! grep -qF "$expected" "$out"; then
    echo "FAIL: '$expected' did not arrive on the terminal (exit status $status); it got:"
    head -c 600 "$out"
    exit 1
  fi
done
echo "the Chinese menu tree arrived intact on the terminal"
