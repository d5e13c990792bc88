#!/usr/bin/env bash
# The run's temporary folder goes away on every exit the runner still
# controls (a crash, a second stop signal), and a folder left by a run that
# was killed outright is removed by the next run in the same place, while
# anything there that is not provably such a folder stays.
# Usage: temp-folder.sh PACK RUN PROJECT
set -u
pack=$1 run=$2 project=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-temp.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

"$pack" "$project" -o "$work/ending.brg" || { echo "FAIL: cannot pack $project"; exit 1; }
temp=$work/temp
mkdir -p "$temp"

run_game() { # mode
  (cd "$work" && env -u temp -u TEMP -u tmp -u TMP TMPDIR="$temp" \
    timeout -k 5 30 "$run" --headless --steps 3 ./ending.brg "$1") >"$work/out" 2>"$work/err" </dev/null
}

report() { # label ok-condition-result details
  if [ "$2" = 0 ]; then echo "ok   $1"; else echo "FAIL $1: $3"; failed=$((failed + 1)); fi
}

for mode in crash second; do
  run_game $mode 2>/dev/null # the shell's own notice of the signal
  got=$?
  left=$(ls -A "$temp")
  [ "$got" != 0 ] && [ "$got" != 124 ] && [ -z "$left" ]
  report "$mode removes its folder" $? "status $got, left: '$left'"
  rm -rf "${temp:?}"/*
done

# Things below the base that are not a run folder of a finished run.
mkdir "$temp/br_ttt_notours" "$work/elsewhere"
: >"$temp/br_ttt_file"
: >"$work/elsewhere/.brindle-run.lock"
chmod 700 "$work/elsewhere"
ln -s "$work/elsewhere" "$temp/br_ttt_link"
kept=$(ls -A "$temp" | sort)

run_game killed 2>/dev/null
got=$?
left=$(ls -A "$temp" | sort)
[ "$got" = 137 ] && [ "$left" != "$kept" ]
report "a killed run leaves its folder" $? "status $got, folders: '$left'"

run_game plain
got=$?
left=$(ls -A "$temp" | sort)
[ "$got" = 0 ] && [ "$left" = "$kept" ] && [ -f "$work/elsewhere/.brindle-run.lock" ]
report "the next run removes it and nothing else" $? "status $got, left: '$left' (kept: '$kept')"

[ $failed -eq 0 ]
