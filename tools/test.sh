#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs the whole suite:
# native tests under sanitizers, adapter and end-to-end tests under Wine,
# the fuzz targets for a few seconds each, and a build of the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
source tools/xvfb.sh
start_virtual_screen
cleanup() {
  for d in build/win64/wine/shared build/win64/wine/template; do
    [ -d "$d" ] && WINEPREFIX="$PWD/$d" TMPDIR="$PWD/build/win64/wine/tmp" wineserver -k >/dev/null 2>&1 || true
  done
  stop_virtual_screen
}
trap cleanup EXIT

status=0
run() {
  echo "== $*"
  "$@" || status=1
}

run cmake --preset native
run cmake --build --preset native
run ctest --preset native

run cmake --preset win64
run cmake --build --preset win64
run ctest --preset win64

run cmake --preset fuzz
run cmake --build --preset fuzz
run ctest --preset fuzz

run cmake --preset bench
run cmake --build --preset bench

if [ "$status" -ne 0 ]; then echo "SUITE FAILED"; else echo "SUITE PASSED"; fi
exit "$status"
