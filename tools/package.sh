#!/usr/bin/env bash
# Builds the release program (optimised, static, stripped: the win64 preset's
# murovex.exe) and writes both packages into dist/:
#   dist/murovex-<version>-win64.zip   portable: the program folder
#   dist/murovex-<version>-setup.exe   per-user installer (NSIS)
# The version is the one of project() in CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target murovex -j2
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)"
[ -n "$version" ] || { echo "package: no project version in build/win64/CMakeCache.txt" >&2; exit 1; }
mkdir -p dist
bash package/make_packages.sh build/win64/app/murovex.exe "$version" dist
rm -rf dist/stage
ls -l "dist/murovex-$version-win64.zip" "dist/murovex-$version-setup.exe"
echo "package: murovex.exe is $(stat -c %s build/win64/app/murovex.exe) bytes"
