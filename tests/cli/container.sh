#!/usr/bin/env bash
# The runner on damaged game files, through its real command line: each case
# must give its message on standard error, exactly, and its exit status.
# Usage: container.sh PACK RUN PROJECT
set -u
pack=$1 run=$2 project=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
marker=3800004

"$pack" "$project" -o "$work/good.brg" || { echo "FAIL: cannot pack $project"; exit 1; }
size=$(stat -c %s "$work/good.brg")

put_byte() { # file offset value
  printf "$(printf '\\x%02x' "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

expect() { # label file status message
  "$run" --headless "$2" >"$work/out" 2>"$work/err" </dev/null
  local got=$?
  printf '%s' "$4" >"$work/want"
  [ -n "$4" ] && printf '\n' >>"$work/want"
  if [ "$got" != "$3" ] || ! cmp -s "$work/want" "$work/err" || [ -s "$work/out" ]; then
    echo "FAIL $1: status $got (expected $3)"; echo "stderr:"; cat "$work/err"; echo "stdout:"; cat "$work/out"
    failed=$((failed + 1))
  else
    echo "ok   $1"
  fi
}

cp "$work/good.brg" "$work/short.brg"
truncate -s $((marker + 7)) "$work/short.brg"
expect "short file" "$work/short.brg" 1 "Error: Not a valid game file."

truncate -s $((marker + 11)) "$work/short.brg"
expect "cut behind the marker" "$work/short.brg" 1 "Failed to load the game data. File seems corrupted."

cp "$work/good.brg" "$work/version.brg"
put_byte "$work/version.brg" $((marker + 16)) 0x2B
expect "wrong version" "$work/version.brg" 1 "Error: Wrong version number."

cp "$work/good.brg" "$work/changed.brg"
put_byte "$work/changed.brg" $((size - 40)) 0x00
put_byte "$work/changed.brg" $((size - 41)) 0xFF
expect "changed byte ends silently" "$work/changed.brg" 3 ""

expect "missing file" "$work/none.brg" 1 "Error: Cannot read the game file."

"$run" >/dev/null 2>&1; [ $? = 2 ] && echo "ok   usage" || { echo "FAIL usage status"; failed=$((failed + 1)); }

[ $failed -eq 0 ]
