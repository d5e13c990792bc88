#!/usr/bin/env bash
# Packs every game project below GAMES_DIR with brindle-pack, runs it with
# brindle-run and compares what it printed with the project's expectations:
#   expected-output.txt   standard output, exactly (required)
#   expected-errors.txt   standard error, exactly (default: empty)
#   expected-status       exit status (default: 0)
#   runner-options        options for brindle-run, one line (default: --headless);
#                         {game} stands for the project folder, so a game can
#                         name its own files (--input {game}/input.txt)
#   expected-folder-errors.txt
#                         standard error when the runner runs the project folder
#                         itself, where errors also name the place of their code
#                         (default: expected-errors.txt)
#   expected-pack-errors.txt
#                         brindle-pack must refuse the project with exactly this
#                         on standard error (status 1), and so must the runner
#                         given the folder; the game is then packed with
#                         --no-code-check and run as usual
#   test-library          the game uses the suite's own shared library: the
#                         project is packed from a copy into which the file
#                         named by BRINDLE_TEST_LIBRARY is put, at each path
#                         this file lists (one a line, relative to the project)
#   expected-screenshot.png
#                         the game draws: it runs on SDL's offscreen video
#                         driver (unless SDL_VIDEODRIVER says otherwise) with
#                         --screenshot, and its last frame must match this
#                         picture within a small tolerance (the program named
#                         by BRINDLE_COMPARE_PNG decides). Without an OpenGL
#                         context the game is skipped, not failed.
# Each game also runs once as a self-contained executable and once from its
# project folder, which must behave the same; BRINDLE_GAME_FORMS ("brg exe
# folder" by default) chooses the forms run.
# Usage: run-games.sh PACK RUN GAMES_DIR [GAME...]
set -u
pack=$1 run=$2 games=$3
shift 3
work=$(mktemp -d "${TMPDIR:-/tmp}/brindle-games.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Games keep their registry and drive folders here, not in the user's own.
export BRINDLE_REGISTRY_DIR="$work/registry" XDG_DATA_HOME="$work/data"
failed=0 count=0 skipped=0

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for dir in "$games"/*/; do [ -f "$dir/game.toml" ] && names+=("$(basename "$dir")"); done
fi

# Runs one form of the game $name in $work: standard output to out, standard
# error to err.
run_form() {
  (cd "$work" && if [ -n "$reference" ]; then export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen}; fi
  if [ "$form" = brg ]; then
    # shellcheck disable=SC2086
    "$run" $form_options "./$name.brg"
  elif [ "$form" = folder ]; then
    # shellcheck disable=SC2086
    "$run" $form_options "$name"
  else
    BRINDLE_RUNNER_OPTIONS="$form_options" "./$name.exe"
  fi) >"$work/out" 2>"$work/err" </dev/null
}

compare() { # label expected-file actual-file
  if ! cmp -s "$2" "$3"; then
    echo "FAIL $1"; diff -u "$2" "$3" | head -40; return 1
  fi
}

for name in "${names[@]}"; do
  dir=$games/$name
  count=$((count + 1))
  options="--headless"
  [ -f "$dir/runner-options" ] && options=$(head -n 1 "$dir/runner-options")
  options=${options//\{game\}/$dir}
  status=0
  [ -f "$dir/expected-status" ] && status=$(head -n 1 "$dir/expected-status")
  expected_errors=$dir/expected-errors.txt
  [ -f "$expected_errors" ] || expected_errors=/dev/null

  if [ -f "$dir/test-library" ]; then
    if [ ! -f "${BRINDLE_TEST_LIBRARY:-}" ]; then
      echo "FAIL $name: BRINDLE_TEST_LIBRARY names no library"; failed=$((failed + 1)); continue
    fi
    rm -rf "$work/$name-project" && cp -r "$dir" "$work/$name-project"
    while IFS= read -r target; do
      [ -n "$target" ] && mkdir -p "$(dirname "$work/$name-project/$target")" &&
        cp "$BRINDLE_TEST_LIBRARY" "$work/$name-project/$target"
    done <"$dir/test-library"
    dir=$work/$name-project
  fi
  pack_options=()
  if [ -f "$dir/expected-pack-errors.txt" ]; then
    # Packed from the games folder, so the messages name the project as "NAME/...".
    (cd "$games" && "$pack" "$name" -o "$work/$name.brg") 2>"$work/$name.pack"
    got=$?
    if [ $got != 1 ] || [ -e "$work/$name.brg" ]; then
      echo "FAIL $name: brindle-pack gave status $got (expected 1, and no game written)"; failed=$((failed + 1)); continue
    fi
    if ! compare "$name pack errors" "$dir/expected-pack-errors.txt" "$work/$name.pack"; then
      failed=$((failed + 1)); continue
    fi
    pack_options=(--no-code-check)
  fi
  if ! "$pack" "${pack_options[@]}" "$dir" -o "$work/$name.brg" 2>"$work/$name.pack"; then
    echo "FAIL $name: brindle-pack failed"; cat "$work/$name.pack"; failed=$((failed + 1)); continue
  fi
  forms=${BRINDLE_GAME_FORMS:-brg exe folder}
  if [[ " $forms " == *" exe "* ]] &&
    ! "$pack" "${pack_options[@]}" --executable --runner "$run" "$dir" -o "$work/$name.exe" 2>>"$work/$name.pack"; then
    echo "FAIL $name: brindle-pack --executable failed"; cat "$work/$name.pack"; failed=$((failed + 1)); continue
  fi

  reference=$dir/expected-screenshot.png
  [ -f "$reference" ] || reference=
  ok=1 skip=0
  # The folder form runs a copy, so that the places its errors name read
  # "NAME/..." as the pack errors do.
  rm -rf "${work:?}/$name" && cp -r "$dir" "$work/$name"
  for form in $forms; do
    form_options=$options
    form_status=$status form_errors=$expected_errors form_output=$dir/expected-output.txt
    if [ $form = folder ]; then
      [ -f "$dir/expected-folder-errors.txt" ] && form_errors=$dir/expected-folder-errors.txt
      if [ -f "$dir/expected-pack-errors.txt" ]; then
        form_status=1 form_output=/dev/null form_errors=$work/$name.folder-errors
        sed 's/^brindle-pack: /brindle-run: /' "$dir/expected-pack-errors.txt" >"$form_errors"
      fi
    fi
    # Drawing games run with a window; their sound is rendered, not played,
    # so no sound card is needed.
    [ -n "$reference" ] && form_options="$options --screenshot $work/$name-$form.png --sound-capture $work/$name-$form.wav"
    run_form
    got=$?
    # In sanitizer builds the leak checker's own tracer can crash at exit
    # (a fault of the checker, seen with the GL driver's threads alive); the
    # run is then repeated once without the leak check, everything else
    # still checked.
    if grep -q "LeakSanitizer has encountered a fatal error" "$work/err"; then
      echo "note $name ($form): the leak checker failed ($(grep -m 1 -o 'Tracer caught signal [0-9]*' "$work/err")); run again without it"
      LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}detect_leaks=0 run_form
      got=$?
    fi
    if [ -n "$reference" ] && grep -q -e "No display available" -e "Failed to initialize drawing surfaces" "$work/err"; then
      echo "skip $name: no OpenGL display here ($(head -n 1 "$work/err"))"; skip=1; break
    fi
    if [ "$got" != "$form_status" ]; then
      echo "FAIL $name ($form): exit status $got, expected $form_status"; cat "$work/err" | head -20; ok=0
    fi
    compare "$name ($form) output" "$form_output" "$work/out" || ok=0
    compare "$name ($form) errors" "$form_errors" "$work/err" || ok=0
    if [ -n "$reference" ] && [ "$form_status" = "$status" ]; then
      if [ -z "${BRINDLE_COMPARE_PNG:-}" ]; then
        echo "FAIL $name ($form): BRINDLE_COMPARE_PNG names no picture comparer"; ok=0
      elif ! "$BRINDLE_COMPARE_PNG" "$work/$name-$form.png" "$reference"; then
        echo "FAIL $name ($form): the last frame differs from expected-screenshot.png"; ok=0
        cp "$work/$name-$form.png" "${TMPDIR:-/tmp}/$name-$form-actual.png" 2>/dev/null &&
          echo "     (the frame is kept as ${TMPDIR:-/tmp}/$name-$form-actual.png)"
      fi
    fi
  done
  if [ $skip = 1 ]; then skipped=$((skipped + 1)); continue; fi
  if [ $ok = 1 ]; then echo "ok   $name"; else failed=$((failed + 1)); fi
done

echo "$((count - failed - skipped)) of $count games passed, $skipped skipped"
[ $failed -eq 0 ]
