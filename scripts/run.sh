#!/usr/bin/env bash
# Builds ocelot.exe and starts it under Wine on the current $DISPLAY. Without a display it
# starts a virtual one (Xvfb) and says how to look at it. Works as root and as a user
# (scripts/setup.sh asks for root only to install packages).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# The i686 product where Wine runs 32-bit programs, else the x86_64 build of it.
preset=$(./scripts/setup.sh --test-preset)
arch=i686
[ "$preset" = win32 ] || arch=x86_64
cmake --preset "$preset" -DOCELOT_WIN_PREFIX="$(./scripts/setup.sh --prefix "$arch")" >/dev/null
cmake --build --preset "$preset" --target ocelot
. tools/wine/wine-arch.sh
set_wine_arch "$preset"
export WINEDEBUG=${WINEDEBUG:-fixme-all}

if [ -z "${DISPLAY:-}" ]; then
  n=50
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null || true' EXIT
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
  echo "run: no \$DISPLAY, so Ocelot runs on a virtual display $DISPLAY (Xvfb, 1024x768)."
  echo "run: a picture of it: import -display $DISPLAY -window root screen.png"
fi
echo "run: starting build/$preset/bin/ocelot.exe on $DISPLAY (it lives in the tray; File > Exit ends it)"
"$WINE" "build/$preset/bin/ocelot.exe"
