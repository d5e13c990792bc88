#!/usr/bin/env bash
# Sets up what is missing, builds, and runs.
#   bash run.sh demo            build and play the demo game
#   bash run.sh test            build and run every test
#   bash run.sh build           only build
#   bash run.sh fuzz [TARGET] [SECONDS]  fuzz a loader (clang, AddressSanitizer):
#                               load_game (the game data, default), load_save (save files),
#                               model_file (3D model files) or pictures (picture and sprite files)
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

configure_and_build() {
  install_missing "${packages[@]}"
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
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
  build)
    configure_and_build
    ;;
  fuzz)
    target=load_game
    if [ $# -ge 2 ] && ! [[ $2 =~ ^[0-9]+$ ]]; then target=$2; shift; fi
    case $target in
      # tests/fuzz/corpus seeds whole outer bodies of small games, so
      # mutations reach the resource sections from the first run on.
      load_game) seeds=$here/tests/fuzz/corpus ;;
      # Saves written by the test game save-load.
      load_save) seeds=$here/tests/fuzz/corpus-save ;;
      model_file) seeds=$here/tests/fuzz/model-corpus ;;
      # Each road of the picture loading, chosen by a seed's first byte.
      pictures) seeds=$here/tests/fuzz/corpus-pictures ;;
      *) echo "unknown fuzz target: $target (load_game, load_save, model_file or pictures)"; exit 2 ;;
    esac
    install_missing "${packages[@]}" "${fuzz_packages[@]}"
    fuzz_build=$here/build-fuzz
    CC=clang CXX=clang++ cmake -S "$here" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DBRINDLE_FUZZ=ON -DBRINDLE_SANITIZE=ON -DBRINDLE_TESTS=OFF -DBRINDLE_BENCHMARKS=OFF >/dev/null
    cmake --build "$fuzz_build" --target "fuzz_$target"
    mkdir -p "$fuzz_build/corpus-$target"
    # Crashes and slow inputs land in the fuzz build, not in the work tree.
    "$fuzz_build/tests/fuzz/fuzz_$target" -max_total_time="${2:-60}" -rss_limit_mb=4096 \
      -max_len=65536 -artifact_prefix="$fuzz_build/" "$fuzz_build/corpus-$target" "$seeds"
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
    sed -n '2,12p' "$0"
    exit 2
    ;;
esac
