#!/usr/bin/env bash
# A headless run of an empty game starts light: the runner records none of
# the heavy libraries (window, sound, MIDI, video, network, fonts) as needed,
# and the run opens none of them.
# Usage: light-start.sh PACK RUN
set -u
pack=$1 run=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-light.XXXXXX")
trap 'rm -rf "$work"' EXIT
heavy='libSDL2|libopenal|libsndfile|libfluidsynth|libenet|libavformat|libavcodec|libswscale|libswresample|libavutil|libfreetype|libfontconfig'
failed=0

mkdir "$work/empty"
printf '[game]\nname = "Empty"\nid = 1\n\n[[room]]\nname = "rm_main"\n' >"$work/empty/game.toml"
"$pack" "$work/empty" -o "$work/empty.brg" || { echo "FAIL: cannot pack the empty game"; exit 1; }

needed=$(LC_ALL=C readelf -d "$run" | grep NEEDED)
if echo "$needed" | grep -Eq "$heavy"; then
  echo "FAIL the runner is linked to: $(echo "$needed" | grep -Eo "$heavy" | tr '\n' ' ')"; failed=1
else
  echo "ok   the runner is linked to none of the heavy libraries"
fi

# The loader names every object it opens; nothing heavy may be among them.
LD_DEBUG=files "$run" --headless --steps 1 "$work/empty.brg" >"$work/out" 2>"$work/loads" </dev/null
status=$?
opened=$(grep -Eo "file=[^ ]*($heavy)[^ ]*" "$work/loads" | sort -u | tr '\n' ' ')
if [ "$status" != 0 ] || [ -n "$opened" ]; then
  echo "FAIL the empty game: status $status, opened: $opened"; failed=1
else
  echo "ok   the empty game opens none of them"
fi
exit $failed
