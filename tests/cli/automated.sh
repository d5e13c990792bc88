#!/usr/bin/env bash
# Runs nobody watches end by themselves. An empty game run in a window with
# --steps, on a machine without a sound device, must not wait on the box
# about the missing device: the message goes to standard error and the run
# ends after its steps. Skipped without a display to open the window on. (An
# X server without fonts for a box makes the box fail at once; the runner's
# unit tests check which runs count as automated.)
# Usage: automated.sh PACK RUN
set -u
pack=$(realpath "$1") run=$(realpath "$2")
if [ -z "${DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  echo "skip: no display"; exit 0
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/empty" && : >"$work/empty/game.toml"
"$pack" "$work/empty" -o "$work/empty.brg" || { echo "FAIL: cannot pack an empty project"; exit 1; }

# A driver list naming no driver leaves the sound library without a device,
# whatever this machine has.
(cd "$work" && ALSOFT_DRIVERS=none timeout -s KILL 60 "$run" --fast --steps 5 empty.brg) >"$work/out" 2>"$work/err" </dev/null
status=$?
if [ $status != 0 ] || [ -s "$work/out" ] ||
  [ "$(grep -v -e '^No display available' "$work/err")" != "No sound device detected. Sounds might not play." ]; then
  echo "FAIL: status $status (137: still waiting after a minute)"; echo "stderr:"; cat "$work/err"; exit 1
fi
echo "ok   windowed run with --steps ends by itself"
