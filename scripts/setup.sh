#!/usr/bin/env bash
# Installs what Ocelot needs on a Debian 12 machine and cross-builds the Windows libraries
# into a prefix outside the source tree. Safe to run again: finished steps are skipped, and
# when nothing is missing nothing is asked. Prints one line per step; details go to the log.
#
# Only the installation of Debian packages needs root. As root the script installs them;
# as a user it asks sudo for that step alone, or, without sudo, says what to run as root.
# The Windows libraries are built without root: into /opt/ocelot-deps when run as root,
# into ~/.cache/ocelot-deps otherwise (a complete /opt prefix of the same sources is used
# as it is).
#
#   setup.sh                 install and build what is missing
#   setup.sh --prefix ARCH   print the library prefix of ARCH (i686 or x86_64) for
#                            the OCELOT_WIN_PREFIX of a build
#   setup.sh --test-preset   print the Windows preset the tests run on here (win32 or win64)
set -Eeuo pipefail

HERE=$(cd "$(dirname "$0")/.." && pwd)
SHARED_DEPS_ROOT=/opt/ocelot-deps
if [ -n "${OCELOT_DEPS_ROOT:-}" ]; then DEPS_ROOT=$OCELOT_DEPS_ROOT
elif [ "$(id -u)" -eq 0 ]; then DEPS_ROOT=$SHARED_DEPS_ROOT
else DEPS_ROOT=${XDG_CACHE_HOME:-$HOME/.cache}/ocelot-deps
fi
LOG=${OCELOT_SETUP_LOG:-/tmp/ocelot-setup-$(id -un).log}

NATIVE_PKGS=(build-essential cmake ninja-build pkg-config git ca-certificates
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libjpeg-dev libpng-dev libtiff-dev libgif-dev libhpdf-dev libminizip-dev zlib1g-dev
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev
  wine wine32:i386 wine64 xvfb xauth xdotool x11-apps imagemagick fp-utils dpkg-dev
  clang libclang-rt-14-dev nsis
  cups cups-bsd printer-driver-cups-pdf libcups2:i386 poppler-utils)
# Where Wine cannot start 32-bit programs (a kernel without 32-bit support), the tests
# run on a 64-bit build of the same program.
WIN64_PKGS=(g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64)
SRC_PKGS=(libjpeg-turbo libpng1.6 tiff giflib libharu minizip)

runs_32bit_wine() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
test_preset() { if runs_32bit_wine; then echo win32; else echo win64; fi; }
build_archs() { if runs_32bit_wine; then echo i686; else echo i686 x86_64; fi; }

# Source package name -> version string, for the prefix key.
src_version() { apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/{print $2; exit}'; }
# The prefix of an arch: keyed by the source versions and the toolchain files.
prefix_name() {
  local arch=$1 key="" p
  for p in "${SRC_PKGS[@]}"; do key+="$p=$(src_version "$p");"; done
  local tool_hash
  tool_hash=$(cat "$HERE/cmake/toolchain-$arch-w64-mingw32.cmake" "$HERE/cmake/toolchain-mingw-w64.cmake" |
    sha1sum | cut -c1-12)
  echo "$arch-$(printf '%s' "$key$tool_hash" | sha1sum | cut -c1-16)"
}
# The prefix to build into or to use: the shared one when it is complete, else ours.
prefix_of() {
  local name; name=$(prefix_name "$1")
  if [ -f "$SHARED_DEPS_ROOT/$name/.complete" ]; then echo "$SHARED_DEPS_ROOT/$name"
  else echo "$DEPS_ROOT/$name"
  fi
}

case "${1:-}" in
  # A link to the prefix in use, so a build folder's cached library paths stay valid.
  --prefix) echo "$DEPS_ROOT/${2:?usage: setup.sh --prefix i686|x86_64}-current"; exit 0 ;;
  --test-preset) test_preset; exit 0 ;;
  "") ;;
  *) echo "usage: setup.sh [--prefix ARCH | --test-preset]" >&2; exit 2 ;;
esac

: >"$LOG"
step() { printf 'setup: %s\n' "$1"; echo "=== $1" >>"$LOG"; }
fail() { echo "setup: FAILED at step: $CURRENT (see $LOG)" >&2; tail -n 30 "$LOG" >&2; exit 1; }
trap fail ERR
run() { CURRENT=$1; shift; step "$CURRENT"; "$@" >>"$LOG" 2>&1; }

missing_packages() {
  local p out=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || out+=("$p")
  done
  echo "${out[@]:-}"
}
has_i386() { dpkg --print-foreign-architectures | grep -qx i386; }
has_deb_src() { grep -rqs '^Types: deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; }
has_src_lists() { ls /var/lib/apt/lists/*Sources* >/dev/null 2>&1; }

# Runs a command as root: directly, through sudo, or not at all (with the reason).
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
# Root now, or sudo that can ask (a terminal) or need not ask.
can_be_root() {
  [ "$(id -u)" -eq 0 ] && return 0
  command -v sudo >/dev/null || return 1
  [ -t 0 ] || sudo -n true 2>/dev/null
}

# What installing needs, as one line for the user; empty when nothing is missing.
install_needs() {
  local miss; miss=$(missing_packages "$@")
  local needs=()
  has_i386 || needs+=("the i386 architecture")
  has_deb_src && has_src_lists || needs+=("Debian's source lists")
  [ -z "$miss" ] || needs+=("packages: $miss")
  local IFS=';'; echo "${needs[*]:-}"
}

install_packages() {
  if ! has_i386; then as_root dpkg --add-architecture i386; fi
  if ! has_deb_src; then
    as_root tee /etc/apt/sources.list.d/ocelot-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  as_root apt-get update
  local miss; miss=$(missing_packages "$@")
  if [ -n "$miss" ]; then
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $miss
  fi
}

# Installs the packages when anything is missing; asks for root only then.
ensure_packages() {
  local needs; needs=$(install_needs "$@")
  [ -z "$needs" ] && return 0
  if ! can_be_root; then
    echo "setup: root is needed to install what is missing (${needs//;/; })." >&2
    if command -v sudo >/dev/null; then
      echo "setup: sudo cannot ask for a password here (no terminal): run 'sudo $HERE/scripts/setup.sh' once, then start again." >&2
    else
      echo "setup: sudo is not installed: run 'su -c $HERE/scripts/setup.sh' once, then start again." >&2
    fi
    exit 1
  fi
  [ "$(id -u)" -eq 0 ] || echo "setup: installing needs root; asking sudo (${needs//;/; })"
  run "install Debian packages" install_packages "$@"
}

ensure_packages "${NATIVE_PKGS[@]}"
if ! runs_32bit_wine; then
  step "Wine cannot start 32-bit programs here: the tests run on the 64-bit build"
  ensure_packages "${NATIVE_PKGS[@]}" "${WIN64_PKGS[@]}"
fi
[ -n "${CURRENT:-}" ] || step "Debian packages: all installed"

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
  local b="$src/_build-$ARCH"; rm -rf "$b"
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH="$PREFIX" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$b"
  cmake --install "$b"
}

build_zlib_link() {
  mkdir -p "$PREFIX/include" "$PREFIX/lib"
  # zlib comes from libz-mingw-w64-dev; link it into the prefix so every library finds it.
  for f in zlib.h zconf.h; do ln -sf "/usr/$TRIPLE/include/$f" "$PREFIX/include/$f"; done
  ln -sf "/usr/$TRIPLE/lib/libz.a" "$PREFIX/lib/libz.a"
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
  local b="$src/_build-$ARCH"; rm -rf "$b"; mkdir -p "$b"
  local objs=()
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$src/$f.c" ] || continue
    $MINGW_CC -O2 -c "$src/$f.c" -I"$src" -o "$b/$f.o"; objs+=("$b/$f.o")
  done
  $MINGW_AR rcs "$b/libgif.a" "${objs[@]}"
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
  local b="$src/_build-$ARCH"; rm -rf "$b"; mkdir -p "$b"
  local objs=()
  for f in ioapi zip unzip iowin32; do
    $MINGW_CC -O2 -c "$src/$f.c" -I"$src" -I"$PREFIX/include" -o "$b/$f.o"; objs+=("$b/$f.o")
  done
  $MINGW_AR rcs "$b/libminizip.a" "${objs[@]}"
  mkdir -p "$PREFIX/lib" "$PREFIX/include/minizip"
  cp "$b/libminizip.a" "$PREFIX/lib/"
  cp "$src"/{ioapi.h,zip.h,unzip.h,iowin32.h} "$PREFIX/include/minizip/"
}

build_prefix() { # $1 arch
  ARCH=$1
  TRIPLE=$ARCH-w64-mingw32
  TOOLCHAIN="$HERE/cmake/toolchain-$TRIPLE.cmake"
  MINGW_CC=$TRIPLE-gcc-posix
  MINGW_AR=$TRIPLE-ar
  PREFIX=$(prefix_of "$ARCH")
  SRC_DIR="$DEPS_ROOT/src-${PREFIX##*/}"
  if [ -f "$PREFIX/.complete" ]; then
    step "Windows libraries ($ARCH): reusing $PREFIX"
  else
    build_libraries
  fi
  mkdir -p "$DEPS_ROOT"
  ln -sfn "$PREFIX" "$DEPS_ROOT/$ARCH-current"
}

build_libraries() {
  mkdir -p "$DEPS_ROOT"
  rm -rf "$PREFIX"; mkdir -p "$PREFIX"
  run "zlib into the $ARCH prefix" build_zlib_link
  run "cross-build libjpeg-turbo ($ARCH)" build_jpeg
  run "cross-build libpng ($ARCH)" build_png
  run "cross-build libtiff ($ARCH)" build_tiff
  run "cross-build giflib ($ARCH)" build_gif
  run "cross-build libharu ($ARCH)" build_haru
  run "cross-build minizip ($ARCH)" build_minizip
  date >"$PREFIX/.complete"
}

for arch in $(build_archs); do build_prefix "$arch"; done
step "done (Windows libraries: $(for a in $(build_archs); do printf '%s ' "$DEPS_ROOT/$a-current"; done))"
