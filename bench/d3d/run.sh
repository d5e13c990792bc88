#!/usr/bin/env bash
# Times the 3D game: STEPS steps (default 600) of 1,000 textured blocks and a
# 20,000-triangle model lit by two lights, without sleeping, best of three,
# start-up included, and prints steps per second. It draws, so run it with a
# display (under xvfb-run for Mesa's software OpenGL). bench_d3d counts the
# draw calls of the same scene.
# Usage: run.sh PACK RUN [STEPS]
set -u
pack=$1 run=$2 steps=${3:-600}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-d3d.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$pack" "$here" -o "$work/d3d.brg" || exit 1
. "$here/../best-time.sh"
# Sound is rendered to a file, so no message box about a missing sound card
# waits for a click.
best=$(best_time 3 "$run" --fast --steps "$steps" --sound-capture "$work/sound.wav" "$work/d3d.brg") || exit 1
awk -v s="$steps" -v t="$best" 'BEGIN { printf "3D: %d steps of 1,000 blocks and a 20,000-triangle model in %.1f ms (start-up included): %.1f steps per second\n", s, t / 1000, s / (t / 1000000) }'
