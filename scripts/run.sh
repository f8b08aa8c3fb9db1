#!/usr/bin/env bash
# Builds ocelot.exe and starts it: under Wine on the current $DISPLAY on Linux.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target ocelot
: "${DISPLAY:?set DISPLAY to the X display Wine should use}"
exec wine build/win32/bin/ocelot.exe
