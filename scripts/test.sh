#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the layer check, the native suite
# under the sanitizers, the Windows suites and the end-to-end tests under Wine on a
# virtual display, and a short fuzzing run of every decoder. Works as root and as a user
# (scripts/setup.sh asks for root only to install packages).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${OCELOT_JOBS:-$(nproc)}

./scripts/setup.sh

echo "test: layer check"
tools/check-layers.sh

echo "test: native build (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

# The Windows tests run on the i686 product where Wine runs 32-bit programs, otherwise on
# the x86_64 build of the same sources; the product is built in either case.
preset=$(./scripts/setup.sh --test-preset)
if [ "$preset" = win64 ]; then
  echo "test: Windows build (i686, the product)"
  cmake --preset win32 -DOCELOT_WIN_PREFIX="$(./scripts/setup.sh --prefix i686)" >/dev/null
  cmake --build --preset win32 -j "$jobs" --target ocelot
  arch=x86_64
  echo "test: Wine runs no 32-bit programs here; the Windows tests run on the x86_64 build"
else
  arch=i686
fi
echo "test: Windows build ($arch) under Wine"
cmake --preset "$preset" -DOCELOT_WIN_PREFIX="$(./scripts/setup.sh --prefix "$arch")" >/dev/null
cmake --build --preset "$preset" -j "$jobs"

skip=()
if [ "$(id -u)" -ne 0 ]; then
  # cups-pdf, the test printer, works only in a CUPS server run by root.
  echo "test: not root: the print tests (e2e.Print) are left out"
  skip=(-E '^e2e\.Print$')
fi
echo "test: Windows unit tests"
ctest --preset "$preset" -E '^e2e\.'
# The end-to-end tests drive real windows under Wine on a shared, loaded machine; an area
# that fails is run once more, and both runs are in the log.
echo "test: end-to-end tests"
ctest --preset "$preset" -R '^e2e\.' "${skip[@]}" --repeat until-pass:2

if [ -x fuzz/run-short.sh ]; then
  echo "test: short fuzzing run of the decoders"
  fuzz/run-short.sh build/fuzz
fi
echo "test: all passed"
