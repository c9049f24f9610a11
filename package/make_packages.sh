#!/usr/bin/env bash
# Makes the two packages of one build of murovex.exe:
#   <out>/murovex-<version>-win64.zip   the program folder, portable
#   <out>/murovex-<version>-setup.exe   the per-user installer (NSIS)
# Usage: make_packages.sh <murovex.exe> <version> <out folder>
# Called by the build (target "packages") and through tools/package.sh.
set -euo pipefail
exe="$1" version="$2" out="$3"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"

# The licence texts of what the static exe holds besides the program: the
# MinGW-w64 run-time with winpthreads, and libgcc with libstdc++.
mingw_licence=/usr/share/doc/mingw-w64-x86-64-dev/copyright
gcc_licence=/usr/share/doc/gcc-mingw-w64-base/copyright
for f in "$mingw_licence" "$gcc_licence"; do
  [ -f "$f" ] || { echo "make_packages: missing licence text $f" >&2; exit 1; }
done

name="murovex-$version"
stage="$out/stage/$name"
rm -rf "$out/stage" "$out/$name-win64.zip" "$out/$name-setup.exe"
mkdir -p "$stage/licences"
cp "$exe" "$stage/murovex.exe"
cp -r "$root/help" "$stage/help"
sed "s/@VERSION@/$version/g" "$here/README.txt" | sed 's/$/\r/' >"$stage/README.txt"
sed 's/$/\r/' "$here/LICENSE.txt" >"$stage/licences/LICENSE.txt"
sed 's/$/\r/' "$mingw_licence" >"$stage/licences/mingw-w64-runtime.txt"
sed 's/$/\r/' "$gcc_licence" >"$stage/licences/gcc-runtime.txt"

(cd "$out/stage" && zip -q -r -X "../$name-win64.zip" "$name")
makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/res/murovex.ico" \
  -DOUTFILE="$out/$name-setup.exe" "$here/murovex.nsi"
echo "make_packages: $out/$name-win64.zip, $out/$name-setup.exe"
