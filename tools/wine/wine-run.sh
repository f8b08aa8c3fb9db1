#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs a program under the build folder's test
# Wine prefix on its virtual display (both started by wine-session.sh).
set -euo pipefail
build=${OCELOT_BUILD_DIR:?}
state="$build/test-session"
[ -f "$state/display" ] || { echo "no test session: run wine-session.sh start $build" >&2; exit 1; }
. "$(dirname "$0")/wine-arch.sh"
set_wine_arch "$(cat "$state/winearch" 2>/dev/null || echo win32)"
export WINEPREFIX="$state/wineprefix" WINEDEBUG=${OCELOT_WINEDEBUG:--all} HOME="$state/home"
export DISPLAY=$(cat "$state/display")
# The session's CUPS server, and the folder where its PDF printer puts the printed pages,
# as a path of Wine's Z: drive for the tests.
export CUPS_SERVER="$state/cups/cups.sock"
if [ -d "$state/print-output" ]; then
  out="Z:$state/print-output"
  export OCELOT_PRINT_OUTPUT="${out//\//\\}"
fi
exec "$WINE" "$@"
