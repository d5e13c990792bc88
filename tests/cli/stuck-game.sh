#!/usr/bin/env bash
# A game stuck in its code still ends on the first terminate signal: loops
# give control back at their back-edges (the code unwinds, the game end event
# runs), waits stop waiting, and the run's temporary folder is removed. Each
# case runs under `timeout`, so a game that stays stuck fails instead of
# hanging the suite.
# Usage: stuck-game.sh PACK RUN PROJECT
set -u
pack=$1 run=$2 project=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-stuck.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

"$pack" "$project" -o "$work/stuck.brg" || { echo "FAIL: cannot pack $project"; exit 1; }
: >"$work/no-input.txt"

loop_output=$'start\ngame end 0\ngame end 1'
wait_output=$'start\nafter\nstep\ngame end 0\ngame end 1'

# case  display  expected output
# display: "none" runs without a display on the real clock (sleep really
# sleeps); "window" needs one (keyboard_wait really waits) and is skipped
# where none can be opened; "headless" is --headless.
cases=(
  "while headless loop"
  "do headless loop"
  "for headless loop"
  "repeat headless loop"
  "script headless loop"
  "recursion headless loop"
  "sleep none wait"
  "keyboard_wait window wait"
)

for line in "${cases[@]}"; do
  read -r name display kind <<<"$line"
  temp=$work/temp-$name
  mkdir -p "$temp"
  case $display in
    headless) options=(--headless --steps 100) driver=${SDL_VIDEODRIVER:-} ;;
    none) options=(--steps 100 --input "$work/no-input.txt" --sound-capture "$work/$name.wav") driver=dummy ;;
    window) options=(--steps 100 --screenshot "$work/$name.png" --sound-capture "$work/$name.wav") driver=${SDL_VIDEODRIVER:-offscreen} ;;
  esac
  (cd "$work" && env -u temp -u TEMP -u tmp -u TMP TMPDIR="$temp" SDL_VIDEODRIVER="$driver" \
    timeout -k 5 30 "$run" "${options[@]}" ./stuck.brg "$name") >"$work/out" 2>"$work/err" </dev/null
  got=$?
  if [ "$display" = window ] && grep -q "No display available" "$work/err"; then
    echo "skip $name: no display here"; continue
  fi
  want=$loop_output
  [ "$kind" = wait ] && want=$wait_output
  left=$(ls -A "$temp")
  if [ "$got" != 0 ] || [ "$(cat "$work/out")" != "$want" ] || [ -n "$left" ]; then
    echo "FAIL $name: status $got (expected 0), temporary folder left: '${left}'"
    diff <(printf '%s\n' "$want") "$work/out" | head -10
    head -5 "$work/err"
    failed=$((failed + 1))
  else
    echo "ok   $name"
  fi
done

[ $failed -eq 0 ]
