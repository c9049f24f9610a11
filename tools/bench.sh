#!/usr/bin/env bash
# Builds and runs the benchmarks: the native ones (release, no sanitizers) in
# build/bench, then the trace, monitors, preview and footprint benchmarks under Wine
# from their own cross build in build/bench-win64. Each prints its figures
# as ratios to (or differences from) a floor measured in the same run. The
# footprint benchmark takes about ten minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

cmake --preset bench >/dev/null
cmake --build --preset bench
for b in build/bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then "$b"; fi
done

cross=build/bench-win64
cmake -S . -B "$cross" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$cross" -j2 --target bench_trace bench_footprint bench_monitors bench_preview
stop_wine() {
  WINEPREFIX="$PWD/$cross/wine/shared" TMPDIR="$PWD/$cross/wine/tmp" wineserver -k >/dev/null 2>&1 || true
}
trap stop_wine EXIT
cmake/wine-run.sh "$cross/bench_trace.exe"
# Two 5120 x 2880 JPEGs of fractal noise, made once (deterministic, about a
# minute): every block holds detail, as a photograph's does.
pictures="$PWD/$cross/bench-pictures"
mkdir -p "$pictures"
for p in first:11:orange-navy second:21:teal-gold; do
  IFS=: read -r name seed colours <<<"$p"
  if [ ! -f "$pictures/$name.jpg" ]; then
    convert -seed "$seed" -size 5120x2880 "plasma:$colours" -seed "$((seed + 1))" -attenuate 0.4 +noise Gaussian \
      -quality 92 "$pictures/$name.jpg"
  fi
done
windows="Z:${pictures//\//\\}"
cmake/wine-run.sh "$cross/bench_monitors.exe" "$windows\\first.jpg" "$windows\\second.jpg" "$windows"
cmake/wine-run.sh "$cross/bench_preview.exe"
cmake/wine-run.sh "$cross/bench_footprint.exe"
