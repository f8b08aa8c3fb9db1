#!/usr/bin/env bash
# Starts or stops the test session of a build folder: a virtual X display (Xvfb) and a
# Wine prefix of its own under the build folder. CTest runs "start" before the Windows
# tests and "stop" after them, so a test run leaves no process behind.
#   wine-session.sh start|stop BUILD_DIR
set -euo pipefail
cmd=$1; build=$(cd "$2" && pwd)
state="$build/test-session"
export WINEPREFIX="$state/wineprefix" WINEARCH=win32 WINEDEBUG=-all
# Documents etc. of the prefix user must not be links into the real home.
export HOME="$state/home"

stop() {
  if [ -f "$state/display" ]; then
    DISPLAY=$(cat "$state/display") wineserver -k 2>/dev/null || true
  fi
  wineserver -k 2>/dev/null || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  if [ -f "$state/cupsd.pid" ]; then
    kill "$(cat "$state/cupsd.pid")" 2>/dev/null || true
    rm -f "$state/cupsd.pid"
  fi
  rm -f "$state/display"
}

start() {
  stop
  mkdir -p "$state" "$HOME"
  # A free display number: the lowest without a lock file.
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start"; cat "$state/xvfb.log"; exit 1; }
  echo ":$n" >"$state/display"
  export DISPLAY=":$n"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$state/wineboot.log" 2>&1
  else
    wineboot >"$state/wineboot.log" 2>&1 || true
  fi
  wineserver -w
  # Real Documents folder inside the prefix (Wine links it to $HOME by default).
  local user; user=$(whoami)
  local docs="$WINEPREFIX/drive_c/users/$user/Documents"
  if [ -L "$docs" ]; then rm -f "$docs"; mkdir -p "$docs"; fi
  echo "session up on :$n with prefix $WINEPREFIX"
}

case "$cmd" in
  start) start ;;
  stop) stop; echo "session stopped" ;;
  *) echo "usage: $0 start|stop BUILD_DIR" >&2; exit 2 ;;
esac
