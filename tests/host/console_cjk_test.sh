#!/bin/sh
# truvhost.exe on a terminal under Wine: Wine gives it a console, and the Chinese of the menu
# tree and of a launch trace (GBK in its file) must arrive on the terminal intact (not as '?').
# usage: console_cjk_test.sh WINE_RUN TRUVHOST_EXE
set -u
command -v script >/dev/null || { echo "FAIL: script (util-linux) is missing"; exit 1; }
out=$(mktemp)
trace=$(mktemp)
trap 'rm -f "$out" "$trace"' EXIT
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
printf '2026-12-08 10:00:00.000\t甲|乙\tbox\tF\t配置文件“CFGPATH”不存在\r\n' |
  iconv -f UTF-8 -t GBK >"$trace"
script -qec "'$1' '$2' trace 'Z:$trace' --key 甲\|乙" /dev/null </dev/null >"$out" 2>&1
status=$?
if ! grep -qF '[甲|乙]  message box F: 配置文件“CFGPATH”不存在' "$out"; then
  echo "FAIL: the trace did not arrive intact on the terminal (exit status $status); it got:"
  head -c 600 "$out"
  exit 1
fi
echo "the Chinese menu tree and trace arrived intact on the terminal"
