#!/usr/bin/env bash
# Installs everything Ocelot needs on a Debian 12 machine (as root) and cross-builds
# the Windows libraries into a prefix outside the source tree. Safe to run again:
# finished steps are skipped. Prints one line per step; details go to the log.
set -euo pipefail

DEPS_ROOT=${OCELOT_DEPS_ROOT:-/opt/ocelot-deps}
LOG=${OCELOT_SETUP_LOG:-/tmp/ocelot-setup.log}
HERE=$(cd "$(dirname "$0")/.." && pwd)
TOOLCHAIN="$HERE/cmake/toolchain-i686-w64-mingw32.cmake"
: >"$LOG"

step() { printf 'setup: %s\n' "$1"; echo "=== $1" >>"$LOG"; }
fail() { echo "setup: FAILED at step: $CURRENT (see $LOG)" >&2; tail -n 30 "$LOG" >&2; exit 1; }
trap fail ERR
run() { CURRENT=$1; shift; step "$CURRENT"; "$@" >>"$LOG" 2>&1; }

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

NATIVE_PKGS=(build-essential cmake ninja-build pkg-config git ca-certificates
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libjpeg-dev libpng-dev libtiff-dev libgif-dev libhpdf-dev libminizip-dev zlib1g-dev
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev
  wine wine32:i386 wine64 xvfb xauth xdotool x11-apps imagemagick fp-utils dpkg-dev
  clang libclang-rt-14-dev nsis
  cups cups-bsd printer-driver-cups-pdf libcups2:i386 poppler-utils)

missing_packages() {
  local p out=()
  for p in "${NATIVE_PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || out+=("$p")
  done
  echo "${out[@]:-}"
}

install_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  if ! grep -rqs '^Types: deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    as_root tee /etc/apt/sources.list.d/ocelot-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  local miss; miss=$(missing_packages)
  [ -z "$miss" ] && [ -d /var/lib/apt/lists ] && ls /var/lib/apt/lists/*Sources* >/dev/null 2>&1 && return 0
  as_root apt-get update
  miss=$(missing_packages)
  if [ -n "$miss" ]; then
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $miss
  fi
}

run "install Debian packages" install_packages

# Source package name -> version string (upstream part), for the prefix key.
SRC_PKGS=(libjpeg-turbo libpng1.6 tiff giflib libharu minizip)
src_version() { apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/{print $2; exit}'; }

KEY=""
for p in "${SRC_PKGS[@]}"; do KEY+="$p=$(src_version "$p");"; done
KEY_HASH=$(printf '%s' "$KEY$(sha1sum "$TOOLCHAIN" | cut -c1-12)" | sha1sum | cut -c1-16)
PREFIX="$DEPS_ROOT/i686-$KEY_HASH"
SRC_DIR="$DEPS_ROOT/src-$KEY_HASH"
MINGW_CC=i686-w64-mingw32-gcc-posix
MINGW_CXX=i686-w64-mingw32-g++-posix

fetch_source() { # $1 package, $2 directory glob
  mkdir -p "$SRC_DIR"; cd "$SRC_DIR"
  if ! ls -d $2 >/dev/null 2>&1; then
    apt-get source --download-only "$1" || true
    local orig; orig=$(ls ${1}_*.orig.tar.* 2>/dev/null | grep -v '\.asc$' | head -n1 || true)
    if ls ${1}_*.dsc >/dev/null 2>&1 && ls ${1}_*.debian.tar.* >/dev/null 2>&1; then
      dpkg-source --no-check -x ${1}_*.dsc >/dev/null
    elif [ -n "$orig" ]; then
      tar xf "$orig"
    else
      echo "no source for $1"; return 1
    fi
  fi
  cd - >/dev/null
}

cmake_cross() { # $1 source dir, rest: extra cmake args
  local src=$1; shift
  local b="$src/_build-mingw"; rm -rf "$b"
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH="$PREFIX" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$b"
  cmake --install "$b"
}

build_zlib_link() {
  mkdir -p "$PREFIX/include" "$PREFIX/lib"
  # zlib comes from libz-mingw-w64-dev; link it into the prefix so every library finds it.
  for f in zlib.h zconf.h; do ln -sf "/usr/i686-w64-mingw32/include/$f" "$PREFIX/include/$f"; done
  ln -sf /usr/i686-w64-mingw32/lib/libz.a "$PREFIX/lib/libz.a"
}

build_jpeg() {
  fetch_source libjpeg-turbo 'libjpeg-turbo-*/'
  cmake_cross "$(ls -d "$SRC_DIR"/libjpeg-turbo-*/ | head -n1)" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF \
    -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
}

build_png() {
  fetch_source libpng1.6 'libpng1.6-*/'
  cmake_cross "$(ls -d "$SRC_DIR"/libpng1.6-*/ | head -n1)" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
    -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$PREFIX" \
    -DZLIB_LIBRARY="$PREFIX/lib/libz.a" -DZLIB_INCLUDE_DIR="$PREFIX/include"
}

build_tiff() {
  fetch_source tiff 'tiff-*/'
  cmake_cross "$(ls -d "$SRC_DIR"/tiff-*/ | head -n1)" -Dtiff-tools=OFF -Dtiff-tests=OFF \
    -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dtiff-deprecated=OFF -Dwebp=OFF -Dzstd=OFF -Dlzma=OFF \
    -Djbig=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dcxx=OFF -Djpeg=ON -Dzlib=ON \
    -DJPEG_INCLUDE_DIR="$PREFIX/include" -DJPEG_LIBRARY="$PREFIX/lib/libjpeg.a" \
    -DZLIB_LIBRARY="$PREFIX/lib/libz.a" -DZLIB_INCLUDE_DIR="$PREFIX/include"
}

build_gif() {
  fetch_source giflib 'giflib-*/'
  local src; src=$(ls -d "$SRC_DIR"/giflib-*/ | head -n1)
  local b="$src/_build-mingw"; rm -rf "$b"; mkdir -p "$b"
  local objs=()
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$src/$f.c" ] || continue
    $MINGW_CC -O2 -c "$src/$f.c" -I"$src" -o "$b/$f.o"; objs+=("$b/$f.o")
  done
  i686-w64-mingw32-ar rcs "$b/libgif.a" "${objs[@]}"
  mkdir -p "$PREFIX/lib" "$PREFIX/include"
  cp "$b/libgif.a" "$PREFIX/lib/"; cp "$src/gif_lib.h" "$PREFIX/include/"
}

build_haru() {
  fetch_source libharu 'libharu-*/'
  local src; src=$(ls -d "$SRC_DIR"/libharu-*/ | head -n1)
  cmake_cross "$src" -DLIBHPDF_SHARED=OFF -DLIBHPDF_STATIC=ON -DBUILD_SHARED_LIBS=OFF \
    -DZLIB_LIBRARY="$PREFIX/lib/libz.a" -DZLIB_INCLUDE_DIR="$PREFIX/include" \
    -DPNG_LIBRARY="$PREFIX/lib/libpng.a" -DPNG_PNG_INCLUDE_DIR="$PREFIX/include"
}

build_minizip() {
  fetch_source minizip 'minizip-*/'
  local src; src=$(ls -d "$SRC_DIR"/minizip-*/ | head -n1)
  local b="$src/_build-mingw"; rm -rf "$b"; mkdir -p "$b"
  local objs=()
  for f in ioapi zip unzip iowin32; do
    $MINGW_CC -O2 -c "$src/$f.c" -I"$src" -I"$PREFIX/include" -o "$b/$f.o"; objs+=("$b/$f.o")
  done
  i686-w64-mingw32-ar rcs "$b/libminizip.a" "${objs[@]}"
  mkdir -p "$PREFIX/lib" "$PREFIX/include/minizip"
  cp "$b/libminizip.a" "$PREFIX/lib/"
  cp "$src"/{ioapi.h,zip.h,unzip.h,iowin32.h} "$PREFIX/include/minizip/"
}

if [ -f "$PREFIX/.complete" ]; then
  step "Windows libraries: reusing $PREFIX"
else
  rm -rf "$PREFIX"; mkdir -p "$PREFIX"
  run "zlib into prefix" build_zlib_link
  run "cross-build libjpeg-turbo" build_jpeg
  run "cross-build libpng" build_png
  run "cross-build libtiff" build_tiff
  run "cross-build giflib" build_gif
  run "cross-build libharu" build_haru
  run "cross-build minizip" build_minizip
  echo "$KEY" >"$PREFIX/.complete"
fi
ln -sfn "$PREFIX" "$DEPS_ROOT/i686-current"
step "done (Windows prefix: $DEPS_ROOT/i686-current)"
