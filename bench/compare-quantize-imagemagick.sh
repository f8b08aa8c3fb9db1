#!/usr/bin/env bash
# Mean squared error of our quantization against ImageMagick's `convert +dither -colors 256`
# on the same photograph-like images (ImageMagick's plasma fractals and our synthetic
# photographs, 1920 x 1080). Both errors are measured by ImageMagick's `compare -metric MSE`
# (normalised, printed here in 8-bit units: x 255^2).
#
#   bench/compare-quantize-imagemagick.sh          # builds build/h-codecs-rel (Release)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build/h-codecs-rel}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" --target ocelot_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for seed in 1 7 42; do
  MAGICK_THREAD_LIMIT=1 convert -size 1920x1080 -seed "$seed" plasma:fractal -blur 0x1 -depth 8 "$work/plasma$seed.png"
done
# Our synthetic photographs, written by the benchmark's own generator through our PNG writer.
OCELOT_QUANTIZE_DIR=$work "$BUILD_DIR/bench/ocelot_bench" --benchmark_filter=BM_QuantizeFolder >/dev/null
mse() {  # normalised MSE of two images, in 8-bit units
  compare -metric MSE "$1" "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e+-]+)\).*/\1/' | awk '{printf "%.2f", $1 * 65025}'
}
printf '%-12s %12s %12s %14s\n' image "IM -colors" "ours 256" "ours GIF 236+20"
for src in "$work"/*.png; do
  case $src in *-ours.png) continue ;; esac
  stem=${src%.png}
  MAGICK_THREAD_LIMIT=1 convert "$src" +dither -colors 256 "$stem.im.png"
  printf '%-12s %12s %12s %14s\n' "$(basename "$stem")" "$(mse "$src" "$stem.im.png")" \
    "$(mse "$src" "$stem.256-ours.png")" "$(mse "$src" "$stem.gif-ours.png")"
done
