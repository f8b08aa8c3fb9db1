# Sourced by the session scripts: the Wine loader and prefix kind of a build, from its
# word "win32" or "win64". A 64-bit build runs on the 64-bit loader alone, which works
# where the machine cannot start 32-bit programs.
set_wine_arch() {
  case "$1" in
    win32) export WINEARCH=win32; WINE=wine ;;
    win64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64; WINE=$WINELOADER ;;
    *) echo "unknown Wine arch: $1" >&2; return 1 ;;
  esac
}
