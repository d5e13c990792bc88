#!/usr/bin/env bash
# Sets up what is missing, builds, and runs.
#   bash run.sh demo            build and play the demo game
#   bash run.sh test            build and run every test
#   bash run.sh sanitize        the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   bash run.sh build           only build
#   bash run.sh fuzz [SECONDS]  fuzz the game data loader (clang, AddressSanitizer)
#   bash run.sh bench           build and run the benchmarks
#   bash run.sh versus          build, then time the interpreter against Lua 5.4
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
  libenet-dev
  libgtest-dev libbenchmark-dev
)
fuzz_packages=(clang libclang-rt-14-dev)
# The drawing tests run on a virtual X server.
test_packages=(xvfb xauth)

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
    install_missing "${packages[@]}" "${test_packages[@]}"
    sanitize_build=${BRINDLE_SANITIZE_BUILD_DIR:-$here/build-sanitize}
    cmake -S "$here" -B "$sanitize_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRINDLE_SANITIZE=ON \
      -DBRINDLE_BENCHMARKS=OFF >/dev/null
    cmake --build "$sanitize_build"
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env SDL_VIDEODRIVER=x11 \
      ctest --test-dir "$sanitize_build" --output-on-failure -j "$(nproc)"
    ;;
  build)
    configure_and_build
    ;;
  fuzz)
    install_missing "${packages[@]}" "${fuzz_packages[@]}"
    fuzz_build=$here/build-fuzz
    CC=clang CXX=clang++ cmake -S "$here" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DBRINDLE_FUZZ=ON -DBRINDLE_SANITIZE=ON -DBRINDLE_TESTS=OFF -DBRINDLE_BENCHMARKS=OFF >/dev/null
    cmake --build "$fuzz_build" --target fuzz_load_game
    mkdir -p "$fuzz_build/corpus"
    # tests/fuzz/corpus seeds whole outer bodies of small games, so mutations
    # reach the resource sections from the first run on.
    "$fuzz_build/tests/fuzz/fuzz_load_game" -max_total_time="${2:-60}" -rss_limit_mb=4096 \
      -max_len=65536 "$fuzz_build/corpus" "$here/tests/fuzz/corpus"
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
    ;;
  *)
    sed -n '2,/^set /{/^set /!p}' "$0"
    exit 2
    ;;
esac
