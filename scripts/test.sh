#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test: the native suite
# under the sanitizers, the Windows suites and the end-to-end tests under Wine on a
# virtual display, and a short fuzzing run of every decoder.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${OCELOT_JOBS:-$(nproc)}

./scripts/setup.sh

echo "test: native build (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "test: Windows build (i686) under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
# The end-to-end tests drive real windows under Wine on a shared, loaded machine; an area
# that fails is run once more, and both runs are in the log.
ctest --preset win32 --repeat until-pass:2

if [ -x fuzz/run-short.sh ]; then
  echo "test: short fuzzing run of the decoders"
  fuzz/run-short.sh build/fuzz
fi
echo "test: all passed"
