#!/usr/bin/env bash
# Packs a game, runs it headless with its sound captured, and checks the
# capture with the arguments in the game's expected-capture.txt (one line).
# Usage: capture-game.sh PACK RUN CHECK GAME_DIR
set -eu
pack=$1 run=$2 check=$3 game=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-capture.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$pack" "$game" -o "$work/game.brg"
(cd "$work" && "$run" --headless --fast --sound-capture capture.wav ./game.brg >/dev/null 2>&1)
# shellcheck disable=SC2046
"$check" "$work/capture.wav" $(head -n 1 "$game/expected-capture.txt")
# A capture that cannot be written fails the run (exit status 1), as a
# screenshot that cannot be written does.
status=0
(cd "$work" && "$run" --headless --fast --sound-capture no/such/folder/capture.wav ./game.brg >/dev/null 2>&1) || status=$?
if [ "$status" != 1 ]; then
  echo "FAIL: a sound capture that cannot be written gave exit status $status, expected 1"
  exit 1
fi
