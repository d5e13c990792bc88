#!/usr/bin/env bash
# A played run recorded with --record plays back the same with --input and
# the seed the recording names, its dialogs answered as they were. The "player" here is an input script played
# in a window (on the display there is, else SDL's offscreen one) with no
# seed given, so the run draws its own seed. Usage: record-replay.sh PACK RUN PROJECT
set -u
pack=$(realpath "$1") run=$(realpath "$2") project=$(realpath "$3")
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
"$pack" "$project" -o "$work/game.brg" || { echo "FAIL: cannot pack $project"; exit 1; }
[ -n "${DISPLAY:-}" ] || export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen}
play() { # output-file options...
  local out=$1; shift
  (cd "$work" && timeout -s KILL 60 "$run" --fast --steps 10 "$@" game.brg) >"$out" 2>>"$work/err" </dev/null
}

play "$work/played" --input "$project/input.txt" --record "$work/recording.txt"
seed=$(sed -n 's/^# seed \([0-9]*\)$/\1/p' "$work/recording.txt")
if [ -z "$seed" ] || [ "$(grep -c '^step ' "$work/recording.txt")" -lt 8 ]; then
  echo "FAIL: the recording lacks its seed or its input"; cat "$work/recording.txt"; failed=1
fi
if ! grep -q "^step 8 answer text Ann Lee$" "$work/recording.txt" ||
   [ "$(grep -c '^step 8 answer ' "$work/recording.txt")" != 3 ]; then
  echo "FAIL: the recording lacks the dialogs' answers"; cat "$work/recording.txt"; failed=1
fi
play "$work/replayed" --input "$work/recording.txt" --seed "$seed"
if ! grep -q "click at 30,40" "$work/played" || ! grep -q "^answers 1 Ann Lee draws" "$work/played" ||
   ! cmp -s "$work/played" "$work/replayed"; then
  echo "FAIL: the replay differs from the played run"; diff "$work/played" "$work/replayed"; failed=1
fi
# Without the recorded seed the random draws differ: the seed matters.
play "$work/other-seed" --input "$work/recording.txt" --seed "$((seed + 1))"
if cmp -s "$work/played" "$work/other-seed"; then
  echo "FAIL: another seed gave the same run"; failed=1
fi
[ $failed = 0 ] && echo "ok   a recorded run plays back the same"
[ $failed = 0 ] || { echo "standard error:"; cat "$work/err"; }
exit $failed
