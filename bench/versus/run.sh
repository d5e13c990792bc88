#!/usr/bin/env bash
# The interpreter against Lua 5.4 on the same six workloads: each game here
# is packed and run headless, its Lua twin beside it is run by lua5.4, both
# must print the same result, and the best of three wall-clock times of each
# gives the ratio ours/Lua (below 1 means we are faster).
# Usage: run.sh PACK RUN
set -u
pack=$1 run=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-versus.XXXXXX")
trap 'rm -rf "$work"' EXIT
command -v lua5.4 >/dev/null || { echo "lua5.4 is not installed"; exit 1; }

. "$here/../best-time.sh"

printf '%-10s %12s %12s %8s\n' workload "ours (ms)" "lua (ms)" ratio
status=0
for name in fib loop strings array grid fields; do
  "$pack" "$here/$name" -o "$work/$name.brg" || exit 1
  ours=$(best_time 3 "$run" --headless --fast "$work/$name.brg") || exit 1
  cp "$work/out" "$work/ours.txt"
  theirs=$(best_time 3 lua5.4 "$here/$name/bench.lua") || exit 1
  if ! cmp -s "$work/ours.txt" "$work/out"; then
    echo "$name: the results differ: ours $(cat "$work/ours.txt"), lua $(cat "$work/out")"; status=1
  fi
  awk -v n="$name" -v a="$ours" -v b="$theirs" 'BEGIN { printf "%-10s %12.1f %12.1f %8.2f\n", n, a / 1000, b / 1000, a / b }'
done
exit $status
