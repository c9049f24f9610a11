#!/usr/bin/env bash
# Builds and runs the benchmarks: the native ones (release, no sanitizers) in
# build/bench, then the trace benchmark under Wine from its own cross build in
# build/bench-win64. Each prints its figures as ratios to a floor measured in
# the same run.
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
cmake --build "$cross" --target bench_trace
stop_wine() {
  WINEPREFIX="$PWD/$cross/wine/shared" TMPDIR="$PWD/$cross/wine/tmp" wineserver -k >/dev/null 2>&1 || true
}
trap stop_wine EXIT
cmake/wine-run.sh "$cross/bench_trace.exe"
