#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs a program under the build folder's test
# Wine prefix on its virtual display (both started by wine-session.sh).
set -euo pipefail
build=${OCELOT_BUILD_DIR:?}
state="$build/test-session"
[ -f "$state/display" ] || { echo "no test session: run wine-session.sh start $build" >&2; exit 1; }
export WINEPREFIX="$state/wineprefix" WINEARCH=win32 WINEDEBUG=-all HOME="$state/home"
export DISPLAY=$(cat "$state/display")
exec wine "$@"
