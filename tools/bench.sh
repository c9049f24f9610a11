#!/usr/bin/env bash
# Builds and runs the benchmarks: the native ones (release, no sanitizers) in
# build/bench, then the trace and footprint benchmarks under Wine from their
# own cross build in build/bench-win64. Each prints its figures as ratios to
# (or differences from) a floor measured in the same run. The footprint
# benchmark takes about ten minutes.
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
cmake --build "$cross" -j2 --target bench_trace bench_footprint
stop_wine() {
  WINEPREFIX="$PWD/$cross/wine/shared" TMPDIR="$PWD/$cross/wine/tmp" wineserver -k >/dev/null 2>&1 || true
}
trap stop_wine EXIT
cmake/wine-run.sh "$cross/bench_trace.exe"
cmake/wine-run.sh "$cross/bench_footprint.exe"
