#!/usr/bin/env bash
# Starts or stops the test session of a build folder: a virtual X display (Xvfb), a Wine
# prefix of its own under the build folder and a private CUPS server with a PDF printer.
# CTest runs "start" before the Windows tests and "stop" after them, so a test run leaves
# no process behind.
#   wine-session.sh start|stop BUILD_DIR [win32|win64]
set -euo pipefail
cmd=$1; build=$(cd "$2" && pwd); arch=${3:-win32}
state="$build/test-session"
. "$(dirname "$0")/wine-arch.sh"
set_wine_arch "$arch"
export WINEPREFIX="$state/wineprefix" WINEDEBUG=-all
# Documents etc. of the prefix user must not be links into the real home.
export HOME="$state/home"

# The printer: a cupsd of the session's own (configuration, spool and socket under
# $state/cups) with one cups-pdf queue, the default printer, whose PDF files land in
# $state/print-output. cups-pdf reads its settings only from /etc/cups, so the queue is an
# instance of its own ("cups-pdf:/NAME" reads /etc/cups/cups-pdf-NAME.conf), named after
# this session and removed again by "stop".
cups="$state/cups"
printer_name=OcelotPDF
pdf_instance="ocelot-$(printf '%s' "$state" | cksum | cut -d' ' -f1)"
pdf_conf="/etc/cups/cups-pdf-$pdf_instance.conf"
export CUPS_SERVER="$cups/cups.sock"

stop_printer() {
  if [ -f "$state/cupsd.pid" ]; then
    local pid; pid=$(cat "$state/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    rm -f "$state/cupsd.pid"
  fi
  rm -f "$pdf_conf" "$cups/cups.sock"
}

start_printer() {
  if [ "$(id -u)" -ne 0 ]; then
    rm -rf "$state/print-output"
    echo "no test printer: cups-pdf works only in a CUPS server run by root"
    return 0
  fi
  command -v cupsd >/dev/null && [ -x /usr/lib/cups/backend/cups-pdf ] ||
    { echo "cups and printer-driver-cups-pdf are needed (scripts/setup.sh installs them)"; exit 1; }
  rm -rf "$cups" "$state/print-output"
  mkdir -p "$cups/root" "$cups/spool" "$cups/cache" "$cups/state" "$cups/log" "$cups/pdf-spool" \
    "$state/print-output"
  printf '%s\n' "Listen $CUPS_SERVER" "LogLevel warn" "WebInterface No" "Browsing Off" \
    "DefaultAuthType None" "<Location />" "  Order allow,deny" "  Allow all" "</Location>" \
    "<Policy default>" "  <Limit All>" "    Order deny,allow" "  </Limit>" "</Policy>" \
    >"$cups/root/cupsd.conf"
  printf '%s\n' "ServerRoot $cups/root" "RequestRoot $cups/spool" "CacheDir $cups/cache" \
    "StateDir $cups/state" "TempDir $cups/spool" "ErrorLog $cups/log/error_log" \
    "AccessLog $cups/log/access_log" "PageLog $cups/log/page_log" "Group lp" "SystemGroup root" \
    >"$cups/root/cups-files.conf"
  # Label 2: every file carries its job number, so the pages of one print never
  # overwrite each other. (cups-pdf keeps its log in /var/log/cups: a log folder of our
  # own ends up inside its file names.)
  printf '%s\n' "Out $state/print-output" "AnonDirName $state/print-output" "Spool $cups/pdf-spool" \
    "Grp root" "Label 2" >"$pdf_conf"
  cupsd -f -c "$cups/root/cupsd.conf" -s "$cups/root/cups-files.conf" >"$cups/log/cupsd.out" 2>&1 &
  echo $! >"$state/cupsd.pid"
  for _ in $(seq 1 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
  lpstat -r >/dev/null 2>&1 || { echo "cupsd did not start"; cat "$cups/log/"*; exit 1; }
  # (lpadmin warns that PPD drivers are deprecated; they still work.)
  lpadmin -p "$printer_name" -v "cups-pdf:/$pdf_instance" -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  lpadmin -d "$printer_name"
  # Every libcups client of the session, Wine's too, talks to this server.
  mkdir -p "$HOME/.cups"
  echo "ServerName $CUPS_SERVER" >"$HOME/.cups/client.conf"
}

stop() {
  if [ -f "$state/display" ]; then
    DISPLAY=$(cat "$state/display") wineserver -k 2>/dev/null || true
  fi
  wineserver -k 2>/dev/null || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  stop_printer
  rm -f "$state/display" "$state/winearch"
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
  echo "$arch" >"$state/winearch"
  export DISPLAY=":$n"
  # Before Wine boots: it takes the CUPS queues into its printer list then.
  start_printer
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot -i >"$state/wineboot.log" 2>&1
  else
    "$WINE" wineboot >"$state/wineboot.log" 2>&1 || true
  fi
  # Without a window manager nothing would draw the windows' frames: Wine draws them
  # itself, close boxes included, so the tests can click them.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >>"$state/wineboot.log" 2>&1
  wineserver -w
  # Real Documents folder inside the prefix (Wine links it to $HOME by default).
  local user; user=$(whoami)
  local docs="$WINEPREFIX/drive_c/users/$user/Documents"
  if [ -L "$docs" ]; then rm -f "$docs"; mkdir -p "$docs"; fi
  echo "session up on :$n with prefix $WINEPREFIX ($arch)"
  [ ! -d "$state/print-output" ] || echo "printer $printer_name prints to $state/print-output"
}

case "$cmd" in
  start) start ;;
  stop) stop; echo "session stopped" ;;
  *) echo "usage: $0 start|stop BUILD_DIR" >&2; exit 2 ;;
esac
