#!/usr/bin/env bash
# Builds the libraries the Windows game links against from Debian's source packages, with the
# project's MinGW-w64 toolchain file, into $OUT/prefix. Each library is built once: a stamp file
# named after its pinned version makes later runs skip it. Usage: build-libs.sh OUT_DIR [JOBS]
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
OUT="$(mkdir -p "$1" && cd "$1" && pwd)"
JOBS="${2:-2}"
TOOLCHAIN="$HERE/cmake/mingw-w64-x86_64.cmake"
PREFIX="$OUT/prefix"
SRC="$OUT/src"
WORK="$OUT/work"
mkdir -p "$PREFIX" "$SRC" "$WORK"
export SOLVANE_WIN_PREFIX="$PREFIX"

# Pinned to the versions Debian 12 ships; a bump is a deliberate edit here.
declare -A VERSION=(
  [zlib]="1:1.2.13.dfsg-1"
  [freetype]="2.12.1+dfsg-5+deb12u4"
  [libpng1.6]="1.6.39-2+deb12u5"
  [libsdl2]="2.26.5+dfsg-1"
  [libsdl2-image]="2.6.3+dfsg-1"
  [libsdl2-ttf]="2.20.1+dfsg-2"
  [tinyxml2]="9.0.0+dfsg-3.1"
)

stamp() { echo "$PREFIX/.built-$1-${VERSION[$1]//[:+~]/_}"; }

# Unpacks the pinned source package once and prints its folder.
fetch() {
  local pkg="$1" ver="${VERSION[$1]}" upstream
  upstream="${ver#*:}"; upstream="${upstream%-*}"
  local dir="$SRC/$pkg-$upstream"
  if [ ! -d "$dir" ]; then
    (cd "$SRC" && apt-get source -q --only-source "$pkg=$ver" >"$SRC/$pkg.log" 2>&1) || {
      cat "$SRC/$pkg.log" >&2; exit 1; }
  fi
  [ -d "$dir" ] || { echo "build-libs: $pkg unpacked somewhere other than $dir" >&2; exit 1; }
  echo "$dir"
}

cmake_build() { # name source-dir cmake-args...
  local name="$1" src="$2"; shift 2
  rm -rf "$WORK/$name"
  cmake -S "$src" -B "$WORK/$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DSOLVANE_WIN_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    "$@" >"$WORK/$name.configure.log" 2>&1 || { tail -40 "$WORK/$name.configure.log" >&2; exit 1; }
  cmake --build "$WORK/$name" -j "$JOBS" >"$WORK/$name.build.log" 2>&1 || {
    tail -40 "$WORK/$name.build.log" >&2; exit 1; }
  cmake --install "$WORK/$name" >>"$WORK/$name.build.log" 2>&1
}

build() { # package cmake-args...
  local pkg="$1"; shift
  [ -f "$(stamp "$pkg")" ] && return 0
  local src; src="$(fetch "$pkg")"
  echo "build-libs: $pkg ${VERSION[$pkg]}"
  cmake_build "$pkg" "$src" "$@"
  touch "$(stamp "$pkg")"
}

# Debian's zlib source leaves out win32/ and with it the DLL's version resource: a bare one serves.
mkdir -p "$(fetch zlib)/win32"
printf '1 VERSIONINFO\nFILEVERSION 1,2,13,0\nBEGIN\nEND\n' >"$(fetch zlib)/win32/zlib1.rc"
build zlib -DBUILD_SHARED_LIBS=ON
# FreeType is linked into SDL2_ttf.dll; its gzip reader uses its own inflate copy.
build freetype -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
  -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON \
  -DFT_DISABLE_ZLIB=ON
# The engine reads PNGs a row at a time with libpng (SDL2_image reads the rest).
build libpng1.6 -DPNG_SHARED=ON -DPNG_STATIC=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_ROOT="$PREFIX"
build libsdl2 -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=OFF
build libsdl2-image -DBUILD_SHARED_LIBS=ON -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF \
  -DSDL2IMAGE_TESTS=OFF -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_BACKEND_WIC=OFF \
  -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF
build libsdl2-ttf -DBUILD_SHARED_LIBS=ON -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF \
  -DSDL2TTF_SAMPLES=OFF
build tinyxml2 -DBUILD_SHARED_LIBS=OFF -Dtinyxml2_BUILD_TESTING=OFF

# GoogleTest from the sources libgtest-dev installs, pinned by that package's version.
GTEST_VERSION="$(dpkg-query -W -f='${Version}' libgtest-dev)"
GTEST_STAMP="$PREFIX/.built-googletest-${GTEST_VERSION//[:+~]/_}"
if [ ! -f "$GTEST_STAMP" ]; then
  echo "build-libs: googletest $GTEST_VERSION"
  cmake_build googletest /usr/src/googletest -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON \
    -Dgtest_disable_pthreads=ON -DINSTALL_GTEST=ON
  touch "$GTEST_STAMP"
fi

# nlohmann-json is headers only: its Debian package's headers and CMake files serve as they are.
if [ ! -f "$PREFIX/share/cmake/nlohmann_json/nlohmann_jsonConfig.cmake" ]; then
  mkdir -p "$PREFIX/include" "$PREFIX/share/cmake"
  cp -r /usr/include/nlohmann "$PREFIX/include/"
  cp -r /usr/share/cmake/nlohmann_json "$PREFIX/share/cmake/"
fi

# Every program we build brings its own entry point (console main or the game's WinMain), so
# the SDL2main shim, its renaming of main and its forced GUI subsystem are left out of what
# pkg-config hands on.
sed -i -e 's/ -lSDL2main//' -e 's/ -mwindows//' -e 's/ -Dmain=SDL_main//' "$PREFIX/lib/pkgconfig/sdl2.pc"
echo "build-libs: all libraries in $PREFIX"
