#!/usr/bin/env bash
# Sets up what is missing, builds, and runs.
#   bash run.sh demo            build and play the demo game
#   bash run.sh test            build and run every test
#   bash run.sh sanitize        the same with AddressSanitizer and UndefinedBehaviorSanitizer,
#                               as the stress build (BRINDLE_STRESS)
#   bash run.sh build           only build
#   bash run.sh fuzz [TARGET] [SECONDS]
#                               fuzz a reader (clang, AddressSanitizer; see tests/fuzz),
#                               by default the game data loader for a minute; the
#                               targets: load_game, load_save, model_file, compile,
#                               project, input_script, ini, registry, pictures
#   bash run.sh bench           build and run the benchmarks
#   bash run.sh versus          build, then time the interpreter against Lua 5.4
#   bash run.sh web             build the runner for browsers (brindle-pack --web)
#   bash run.sh web-test        build it, then play test games in headless Chromium
set -euo pipefail
cd "$(dirname "$0")"
here=$(pwd)
build=${BRINDLE_BUILD_DIR:-$here/build}

packages=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libdeflate-dev libpng-dev libtomlplusplus-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2 libgif-dev libjpeg-dev
  libsdl2-dev libepoxy-dev libglm-dev libgl1-mesa-dri libegl1 libegl-mesa0
  libopenal-dev libsndfile1-dev libfluidsynth-dev timgm6mb-soundfont
  libenet-dev libffi-dev
  libimgui-dev libavformat-dev libavcodec-dev libswscale-dev libswresample-dev
  libgtest-dev libbenchmark-dev
)
fuzz_packages=(clang libclang-rt-14-dev)
# Fuzz targets (tests/fuzz) and their seeds: folders or files of this
# repository, globs allowed.
declare -A fuzz_seeds=(
  [load_game]="tests/fuzz/corpus/load_game"
  [load_save]="tests/fuzz/corpus/load_save"
  [model_file]="tests/fuzz/corpus/model_file"
  [compile]="tests/fuzz/corpus/compile"
  [project]="tests/fuzz/corpus/project"
  [input_script]="tests/games/*/input*.txt"
  [ini]="tests/fuzz/corpus/ini"
  [registry]="tests/fuzz/corpus/registry"
  [pictures]="tests/fuzz/corpus/pictures"
)
# The drawing tests run on a virtual X server.
test_packages=(xvfb xauth)
# The browser build: emcc, and Debian's sources of the libraries it builds.
web_packages=(emscripten dpkg-dev)
web_test_packages=(chromium python3)
web_build=${BRINDLE_WEB_BUILD_DIR:-$here/build-web}

install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# A compiler cache, where one is installed, makes repeated builds cheap; a
# fresh machine builds without one.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

configure_and_build() {
  install_missing "${packages[@]}"
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  cmake --build "$build"
}

# Builds the libraries from Debian's source packages (once) and the runner
# with emcc; brindle-pack --web finds the runner in $build/web.
build_web() {
  install_missing "${web_packages[@]}"
  export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
  bash "$here/tools/web/build-libraries.sh" "$web_build/prefix" "$web_build/sources"
  emcmake cmake -S "$here" -B "$web_build/runner" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBRINDLE_WEB_PREFIX="$web_build/prefix" >/dev/null
  cmake --build "$web_build/runner" --target brindle-run
  mkdir -p "$build/web"
  cp "$web_build/runner/brindle-run.js" "$web_build/runner/brindle-run.wasm" "$build/web/"
}

case "${1:-}" in
  demo)
    configure_and_build
    "$build/brindle-pack" --executable "$here/demo" -o "$build/demo-game"
    "$build/demo-game"
    ;;
  test)
    configure_and_build
    install_missing "${test_packages[@]}"
    # Games that draw open their windows on a virtual X server with Mesa's
    # software OpenGL; tests that pick SDL's offscreen driver themselves
    # keep it.
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env SDL_VIDEODRIVER=x11 \
      ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    ;;
  sanitize)
    # Its own build folder; no benchmarks, which only time the release build.
    # It is also the stress build: the sanitizers name at once what a rare
    # container path breaks, and CI pays for one extra build, not two.
    install_missing "${packages[@]}" "${test_packages[@]}"
    sanitize_build=${BRINDLE_SANITIZE_BUILD_DIR:-$here/build-sanitize}
    cmake -S "$here" -B "$sanitize_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRINDLE_SANITIZE=ON \
      -DBRINDLE_STRESS=ON -DBRINDLE_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
    cmake --build "$sanitize_build"
    # The sanitizers make the interpreter's frame many times larger (13 KB
    # where the release build takes 0.4 KB): code nested as deep as the
    # runner allows needs a larger stack than the usual 8 MB to reach the
    # limit's error instead of overflowing first.
    ulimit -s 65536 2>/dev/null || true
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env SDL_VIDEODRIVER=x11 \
      ctest --test-dir "$sanitize_build" --output-on-failure -j "$(nproc)"
    ;;
  build)
    configure_and_build
    ;;
  fuzz)
    # run.sh fuzz [TARGET] [SECONDS]; a number alone fuzzes the loader.
    target=load_game seconds=60
    if [[ "${2:-}" =~ ^[0-9]+$ ]]; then
      seconds=$2
    elif [ -n "${2:-}" ]; then
      target=$2 seconds=${3:-60}
    fi
    if [ -z "${fuzz_seeds[$target]:-}" ]; then
      echo "unknown fuzz target '$target'; the targets are: ${!fuzz_seeds[*]}" >&2
      exit 2
    fi
    install_missing "${packages[@]}" "${fuzz_packages[@]}"
    fuzz_build=$here/build-fuzz
    CC=clang CXX=clang++ cmake -S "$here" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DBRINDLE_FUZZ=ON -DBRINDLE_SANITIZE=ON -DBRINDLE_TESTS=OFF -DBRINDLE_BENCHMARKS=OFF >/dev/null
    cmake --build "$fuzz_build" --target "fuzz_$target"
    # What the fuzzer finds stays in corpus/TARGET between runs; the seeds
    # are gathered afresh each time.
    corpus=$fuzz_build/corpus/$target seeds=$fuzz_build/seeds/$target artifacts=$fuzz_build/artifacts/$target
    rm -rf "$seeds"
    mkdir -p "$corpus" "$seeds" "$artifacts"
    for seed in ${fuzz_seeds[$target]}; do
      if [ -d "$here/$seed" ]; then cp -r "$here/$seed/." "$seeds/"; else cp "$here/$seed" "$seeds/${seed//\//_}"; fi
    done
    "$fuzz_build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=4096 -max_len=65536 \
      -artifact_prefix="$artifacts/" "$corpus" "$seeds"
    ;;
  versus)
    configure_and_build
    install_missing lua5.4
    bash "$here/bench/versus/run.sh" "$build/brindle-pack" "$build/brindle-run"
    ;;
  bench)
    configure_and_build
    install_missing "${test_packages[@]}" love
    for b in "$build"/bench/bench_*; do [ -x "$b" ] && "$b"; done
    bash "$here/bench/bounce/run.sh" "$build/brindle-pack" "$build/brindle-run"
    # Drawing against LOVE, both on the same virtual X server.
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env SDL_VIDEODRIVER=x11 \
      bash "$here/bench/draw/run.sh" "$build/brindle-pack" "$build/brindle-run"
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env SDL_VIDEODRIVER=x11 \
      bash "$here/bench/particles/run.sh" "$build/brindle-pack" "$build/brindle-run"
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env SDL_VIDEODRIVER=x11 \
      bash "$here/bench/d3d/run.sh" "$build/brindle-pack" "$build/brindle-run"
    ;;
  web)
    configure_and_build
    build_web
    ;;
  web-test)
    configure_and_build
    build_web
    install_missing "${web_test_packages[@]}"
    # Games whose printed lines must equal the desktop run's, and drawing
    # games (2D, flat-shaded 3D, particles, effects, room transitions) whose
    # last frame must match its reference picture.
    python3 "$here/tests/web/run-web-games.py" "$build/brindle-pack" "$build/brindle-run" "$build/web" \
      "$build/tests/compare-png" "$here/tests/games" bounce-path math-functions room-drawing d3d-model \
      particle-stream particle-shapes particles-headless effects transitions actions save-load
    ;;
  *)
    sed -n '2,/^set /{/^set /!p}' "$0"
    exit 2
    ;;
esac
