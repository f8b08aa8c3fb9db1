#!/usr/bin/env bash
# Fails when a file under src/ includes a file of a higher layer. Layers from the bottom:
#   common < imaging < win < settings < session < commands < the subsystems < app
# The subsystems (capture, output, catalog, shell, editor, mailer, mousehook, inkwell) are
# peers: they may include each other, none includes app. A folder of src/ that is in no
# layer is an error too, so a new folder is given its place here.
#   tools/check-layers.sh [SOURCE_DIR]
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)

level() {
  case "$1" in
    common) echo 0 ;;
    imaging) echo 1 ;;
    win) echo 2 ;;
    settings) echo 3 ;;
    session) echo 4 ;;
    commands) echo 5 ;;
    capture | output | catalog | shell | editor | mailer | mousehook | inkwell) echo 6 ;;
    app) echo 7 ;;
    *) echo "" ;;
  esac
}

status=0
cd "$root"
for dir in src/*/; do
  layer=$(basename "$dir")
  if [ -z "$(level "$layer")" ]; then
    echo "layers: src/$layer is in no layer (add it to tools/check-layers.sh)"
    status=1
  fi
done

while IFS= read -r -d '' file; do
  own=${file#src/}; own=${own%%/*}
  own_level=$(level "$own")
  [ -n "$own_level" ] || continue
  while IFS= read -r include; do
    # A path relative to the including file, or one from src/.
    case "$include" in
      ./* | ../*) target=$(realpath -m --relative-to="$root/src" "$(dirname "$root/$file")/$include") ;;
      *) target=$include ;;
    esac
    layer=${target%%/*}
    [ "$layer" != "$target" ] || continue  # a file beside it, or a system header
    target_level=$(level "$layer")
    [ -n "$target_level" ] || continue     # not one of ours (a library's folder)
    if [ "$target_level" -gt "$own_level" ]; then
      echo "layers: $file ($own) includes $target ($layer, a higher layer)"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find src -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.c' -o -name '*.rc' \) -print0 | sort -z)

[ "$status" -eq 0 ] && echo "layers: ok"
exit "$status"
