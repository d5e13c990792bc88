#!/usr/bin/env bash
# Times the bounce game: STEPS steps (default 600) headless and without
# sleeping, best of three, and prints steps per second.
# Usage: run.sh PACK RUN [STEPS]
set -u
pack=$1 run=$2 steps=${3:-600}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-bounce.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$pack" "$here" -o "$work/bounce.brg" || exit 1
. "$here/../best-time.sh"
best=$(best_time 3 "$run" --headless --fast --steps "$steps" "$work/bounce.brg") || exit 1
cat "$work/out"
awk -v s="$steps" -v t="$best" 'BEGIN { printf "bounce: %d steps of 10,000 instances in %.1f ms (start-up included): %.0f steps per second\n", s, t / 1000, s / (t / 1000000) }'
