#!/bin/sh
# Runs the scripts of bench/vbs with talewick-vbs and with a second VBScript engine (wine's
# cscript, in a prefix of its own) and prints the lower time of RUNS runs of each, side by side.
# A script that does not print its expected result is reported as wrong, never timed.
# Usage: bench/vbscript_compare.sh [BUILD_DIR] (RUNS=3, PEER=0 to skip the peer, OURS=binary)
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
ours_bin=${OURS:-$build/talewick-vbs}
runs=${RUNS:-3}
peer=${PEER:-1}
export WINEPREFIX=${WINEPREFIX:-/tmp/wine-vbs} WINEDEBUG=-all

expected() {
  case $1 in
    loop_int) echo 45 ;;
    loop) echo 45,125000 ;;
    loop_concat) echo 45,5800000 ;;
    fib) echo 196418 ;;
    class) echo 31250,179688 ;;
    strings) echo 2400000 ;;
    sort) echo 16,65520,208794 ;;
    dict) echo 100000,35000 ;;
  esac
}

# best ENGINE NAME: the lowest time of the runs, or WRONG(...)
best() {
  min=""
  i=0
  while [ $i -lt "$runs" ]; do
    if [ "$1" = ours ]; then
      out=$("$ours_bin" --timeout=0 "$here/vbs/$2.vbs" 2>&1)
    else
      out=$(cd "$here/vbs" && wine cscript //nologo "$2.vbs" 2>&1 | tr -d '\r')
    fi
    result=$(printf '%s\n' "$out" | sed -n 's/^result=//p')
    if [ "$result" != "$(expected "$2")" ]; then
      echo "WRONG($result)"
      return
    fi
    t=$(printf '%s\n' "$out" | sed -n 's/^time=//p')
    if [ -z "$min" ] || [ "$(echo "$t < $min" | bc -l)" = 1 ]; then min=$t; fi
    i=$((i + 1))
  done
  printf '%.3f' "$min"
}

printf '| bench | ours (s) | peer (s) | peer/ours |\n|---|---:|---:|---:|\n'
for name in loop_int loop loop_concat fib class strings sort dict; do
  ours=$(best ours $name)
  if [ "$peer" = 1 ]; then other=$(best peer $name); else other=-; fi
  ratio=-
  case "$ours$other" in *WRONG*|*-*) ;; *) ratio=$(echo "scale=1; $other / $ours" | bc -l) ;; esac
  printf '| %s | %s | %s | %s |\n' "$name" "$ours" "$other" "$ratio"
done
if command -v python3 >/dev/null; then python3 "$here/vbs/fib.py"; fi
