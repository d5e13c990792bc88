#!/usr/bin/env bash
# Particles against LOVE: a stream keeping COUNT particles of a sprite-less
# type alive (COUNT / 50 born each step, each living 50 steps), updated and
# drawn for 600 steps (frames), for COUNT = 10,000 and 100,000, beside the
# same workload in LOVE's ParticleSystem with the same picture. Both run
# without sleeping and without vertical sync on the same display (run it
# under xvfb-run for Mesa's software OpenGL); the best of three wall-clock
# times (one for 100,000), start-up included, gives steps per second and the
# ratio ours/LOVE in speed (above 1 means we are faster).
# Usage: run.sh PACK RUN [STEPS [COUNT...]]
set -u
pack=$1 run=$2 steps=${3:-600}
shift $(( $# < 3 ? $# : 3 ))
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-particles.XXXXXX")
trap 'rm -rf "$work"' EXIT
command -v love >/dev/null || { echo "love is not installed"; exit 1; }

. "$here/../best-time.sh"

printf '%-8s %14s %14s %8s\n' count "ours (steps/s)" "LOVE (fps)" ratio
status=0
for count in "${counts[@]}"; do
  runs=3
  [ "$count" -ge 100000 ] && runs=1
  mkdir -p "$work/game"
  sed -e "s/@COUNT@/$count/g" -e "s/@RATE@/$((count / 50))/g" "$here/game.toml.in" >"$work/game/game.toml"
  "$pack" "$work/game" -o "$work/particles.brg" || exit 1
  # Sound is rendered to a file, so a machine without a sound card shows no
  # message box that would wait for a click.
  ours=$(best_time $runs "$run" --fast --steps "$steps" --sound-capture "$work/sound.wav" "$work/particles.brg") || { status=1; continue; }
  theirs=$(best_time $runs love "$here/love" "$count" "$steps") || { status=1; continue; }
  awk -v n="$count" -v s="$steps" -v a="$ours" -v b="$theirs" \
    'BEGIN { printf "%-8d %14.1f %14.1f %8.2f\n", n, s / (a / 1e6), s / (b / 1e6), b / a }'
done
exit $status
