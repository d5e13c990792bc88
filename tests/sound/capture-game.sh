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
