#!/usr/bin/env bash
# Builds the libraries the runner needs in a browser (zlib, libpng,
# libdeflate, FreeType, libsndfile, giflib, libjpeg-turbo, SDL2) with emcc from Debian's own source packages,
# into PREFIX. Each library is built once: a stamp file in PREFIX marks it
# done, so later runs only check. Emscripten's own ports are not used: they
# download from outside Debian.
# Usage: build-libraries.sh PREFIX SOURCES_DIR [LOCK]
# With LOCK, every compiling step holds that lock file (the machine's build
# lock), while fetching the sources does not.
set -euo pipefail
prefix=$1 sources=$2 lock=${3:-}
mkdir -p "$prefix/lib" "$prefix/include" "$sources"
prefix=$(cd "$prefix" && pwd)
sources=$(cd "$sources" && pwd)
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
jobs=$(nproc)
flags="-O2"

# Source packages need a deb-src entry for the mirror this machine already
# uses; add one when there is none.
ensure_source_entries() {
  if apt-get source --print-uris zlib >/dev/null 2>&1; then return 0; fi
  local uri
  uri=$(grep -h -m1 -E '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1 | awk '{print $2}')
  [ -n "$uri" ] || uri=$(grep -h -m1 -E '^deb ' /etc/apt/sources.list 2>/dev/null | awk '{print $2}')
  [ -n "$uri" ] || uri=http://deb.debian.org/debian
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Adding a deb-src entry for $uri"
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$uri" |
    $sudo tee /etc/apt/sources.list.d/brindle-web-sources.sources >/dev/null
  $sudo apt-get update -q
}

# Unpacks a source package into SOURCES_DIR (once) and prints its folder.
unpack() {
  local package=$1 folder
  folder=$(find "$sources" -maxdepth 1 -mindepth 1 -type d -name "$2*" | head -n 1)
  if [ -z "$folder" ]; then
    (cd "$sources" && apt-get source -q "$package" >"$sources/$package-source.log" 2>&1)
    folder=$(find "$sources" -maxdepth 1 -mindepth 1 -type d -name "$2*" | head -n 1)
  fi
  [ -n "$folder" ] || { echo "build-libraries: no source folder for $package" >&2; exit 1; }
  echo "$folder"
}

# Runs a command holding the build lock, when there is one.
locked() {
  if [ -n "$lock" ]; then flock "$lock" "$@"; else "$@"; fi
}

done_already() { [ -f "$prefix/.built-$1" ]; }
mark_done() { touch "$prefix/.built-$1"; }

cmake_library() { # name source-folder cmake-args...
  local name=$1 source=$2
  shift 2
  rm -rf "$sources/build-$name"
  locked emcmake cmake -S "$source" -B "$sources/build-$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$sources/$name.log" 2>&1
  locked cmake --build "$sources/build-$name" -j "$jobs" >>"$sources/$name.log" 2>&1
  cmake --install "$sources/build-$name" >>"$sources/$name.log" 2>&1
}

ensure_source_entries

if ! done_already zlib; then
  echo "Building zlib for the web"
  src=$(unpack zlib zlib-)
  (cd "$src" && { make distclean >/dev/null 2>&1 || true; }
   CFLAGS="$flags" locked emconfigure ./configure --static --prefix="$prefix" >"$sources/zlib.log" 2>&1
   locked emmake make -j "$jobs" libz.a >>"$sources/zlib.log" 2>&1
   emmake make install >>"$sources/zlib.log" 2>&1)
  mark_done zlib
fi

if ! done_already libpng; then
  echo "Building libpng for the web"
  src=$(unpack libpng1.6 libpng1.6-)
  cmake_library libpng "$src" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  mark_done libpng
fi

if ! done_already libdeflate; then
  echo "Building libdeflate for the web"
  src=$(unpack libdeflate libdeflate-)
  (cd "$src" && { make clean >/dev/null 2>&1 || true; }
   locked emmake make -j "$jobs" CC=emcc AR=emar CFLAGS="$flags" libdeflate.a >"$sources/libdeflate.log" 2>&1)
  cp "$src/libdeflate.a" "$prefix/lib/"
  cp "$src/libdeflate.h" "$prefix/include/"
  mkdir -p "$prefix/lib/pkgconfig"
  printf 'prefix=%s\nName: libdeflate\nDescription: libdeflate\nVersion: 1\nLibs: -L${prefix}/lib -ldeflate\nCflags: -I${prefix}/include\n' \
    "$prefix" >"$prefix/lib/pkgconfig/libdeflate.pc"
  mark_done libdeflate
fi

if ! done_already freetype; then
  echo "Building FreeType for the web"
  src=$(unpack freetype freetype-)
  cmake_library freetype "$src" -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  mark_done freetype
fi

if ! done_already libsndfile; then
  echo "Building libsndfile for the web"
  src=$(unpack libsndfile libsndfile-)
  # Uncompressed forms only: the compressed ones need a library each.
  cmake_library libsndfile "$src" -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF
  mark_done libsndfile
fi

if ! done_already giflib; then
  echo "Building giflib for the web"
  src=$(unpack giflib giflib-)
  (cd "$src" && { make clean >/dev/null 2>&1 || true; }
   locked emmake make -j "$jobs" CC=emcc AR=emar CFLAGS="$flags -std=gnu99 -Wall" libgif.a >"$sources/giflib.log" 2>&1)
  cp "$src/libgif.a" "$prefix/lib/"
  cp "$src/gif_lib.h" "$prefix/include/"
  mark_done giflib
fi

if ! done_already libjpeg; then
  echo "Building libjpeg-turbo for the web"
  src=$(unpack libjpeg-turbo libjpeg-turbo-)
  # Without its SIMD code, which is written for processors, not WebAssembly.
  # CMake's probe reads the sizes of emcc's types wrongly: they are given.
  cmake_library libjpeg "$src" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DCMAKE_INSTALL_LIBDIR=lib -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4
  cp "$sources/build-libjpeg/libjpeg.a" "$prefix/lib/" # its install leaves the static library out here
  mark_done libjpeg
fi

if ! done_already sdl2; then
  echo "Building SDL2 for the web (a few minutes)"
  src=$(unpack libsdl2 libsdl2-)
  cmake_library sdl2 "$src" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF
  mark_done sdl2
fi
echo "Web libraries are in $prefix"
