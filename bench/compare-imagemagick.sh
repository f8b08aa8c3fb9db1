#!/usr/bin/env bash
# Times our resampler against ImageMagick's convert in the same run on the same machine, one
# thread each, and prints the ratios.
#
#   bench/compare-imagemagick.sh            # builds build/native-release (Release)
#   BUILD_DIR=build/h-pixels-rel RUNS=7 bench/compare-imagemagick.sh
#
# ImageMagick is timed as the whole command (read a 1920 x 1080 PPM, resize, discard with
# null:), best of RUNS; "net" subtracts the best time of the same command without -resize.
# Our side is the Google Benchmark real time of Resample alone, on a synthetic image of the
# same size (the resampler has no data-dependent branches, so content does not matter).
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build/native-release}
RUNS=${RUNS:-5}
CONVERT=${CONVERT:-convert}

command -v "$CONVERT" >/dev/null || { echo "ImageMagick's convert is not installed" >&2; exit 1; }

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" --target ocelot_bench -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$CONVERT" -size 1920x1080 -seed 7 plasma:fractal -depth 8 "$work/src.ppm"

# Best wall time in seconds of RUNS runs of the given command.
best_of() {
  local best="" t start end
  for _ in $(seq "$RUNS"); do
    start=$(date +%s.%N)
    MAGICK_THREAD_LIMIT=1 "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [[ -z $best ]] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  echo "$best"
}

im_base=$(best_of "$CONVERT" "$work/src.ppm" null:)
im_lanczos_up=$(best_of "$CONVERT" "$work/src.ppm" -filter Lanczos -resize '3840x2160!' null:)
im_lanczos_down=$(best_of "$CONVERT" "$work/src.ppm" -filter Lanczos -resize '640x360!' null:)
im_hermite=$(best_of "$CONVERT" "$work/src.ppm" -filter Hermite -resize '160x90!' null:)

"$BUILD_DIR/bench/ocelot_bench" --benchmark_filter='BM_Resample' --benchmark_repetitions="$RUNS" \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$work/ours.json" 2>/dev/null

python3 - "$work/ours.json" "$im_base" "$im_lanczos_up" "$im_lanczos_down" "$im_hermite" <<'EOF'
import json, sys
data = json.load(open(sys.argv[1]))
base, up, down, hermite = (float(v) for v in sys.argv[2:6])
ours = {}
for b in data["benchmarks"]:
    if b.get("aggregate_name") == "median":
        scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[b["time_unit"]]
        ours[b["run_name"].split("/")[1]] = b["real_time"] * scale
rows = [
    ("Lanczos3 1920x1080 -> 3840x2160", "Lanczos3_1920x1080_to_3840x2160", up, "goal >= 3x"),
    ("Lanczos3 1920x1080 -> 640x360", "Lanczos3_1920x1080_to_640x360", down, ""),
    ("Hermite  1920x1080 -> 160x90", "Hermite_1920x1080_to_160x90", hermite, "goal >= 1x"),
]
print(f"{'case':34} {'ours ms':>8} {'IM ms':>8} {'IM net':>8} {'ratio':>7} {'net ratio':>9}")
for title, key, im, goal in rows:
    o = ours[key]
    net = max(im - base, 1e-9)
    print(f"{title:34} {o*1e3:8.1f} {im*1e3:8.1f} {net*1e3:8.1f} {im/o:6.1f}x {net/o:8.1f}x  {goal}")
print(f"(ImageMagick read-only baseline {base*1e3:.1f} ms, best of runs; ours median of runs)")
EOF
