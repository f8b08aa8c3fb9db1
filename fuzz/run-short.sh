#!/usr/bin/env bash
# Builds the decoder fuzz targets in BUILD_DIR and runs each for a few seconds on the
# generated seed corpus. Fails when a target crashes or reports an error.
#   fuzz/run-short.sh BUILD_DIR [SECONDS_PER_TARGET]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: fuzz/run-short.sh BUILD_DIR [SECONDS]}
seconds=${2:-5}
mkdir -p "$build"
build=$(cd "$build" && pwd)
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
fi
cmake --build "$build" >/dev/null
rm -rf "$build/seeds"
"$build/make_seeds" "$build/seeds"
status=0
for format in bmp dib gif jpeg pcx png tga tiff; do
  corpus="$build/corpus-short/$format"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$build/seeds/$format"/* "$corpus"/
  log="$build/fuzz-short-$format.log"
  if (cd "$build" && ./fuzz_$format -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 "$corpus" >"$log" 2>&1); then
    echo "fuzz $format: ok ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs)"
  else
    echo "fuzz $format: FAILED (see $log)"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
