#!/usr/bin/env bash
# Lists the portable zip and checks it holds exactly the program folder:
# murovex.exe (the build's own), the help pages, the read-me and the licence
# texts, all in one folder named after the version.
# Usage: zip_contents_test.sh <zip> <version> <murovex.exe> <help folder>
set -euo pipefail
zip="$1" version="$2" exe="$3" help="$4"
top="murovex-$version"
fail=0

expected="$( {
  echo "$top/"
  echo "$top/murovex.exe"
  echo "$top/README.txt"
  echo "$top/help/"
  for f in "$help"/*; do echo "$top/help/$(basename "$f")"; done
  echo "$top/licences/"
  for f in LICENSE.txt mingw-w64-runtime.txt gcc-runtime.txt; do echo "$top/licences/$f"; done
} | sort)"
listed="$(unzip -Z1 "$zip" | sort)"
if [ "$listed" != "$expected" ]; then
  echo "the zip holds other files than expected:"
  diff <(echo "$expected") <(echo "$listed") || true
  fail=1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
cmp -s "$work/$top/murovex.exe" "$exe" || { echo "murovex.exe is not the build's program"; fail=1; }
for f in "$help"/*; do
  cmp -s "$work/$top/help/$(basename "$f")" "$f" || { echo "help/$(basename "$f") differs"; fail=1; }
done
grep -q "^Murovex $version" "$work/$top/README.txt" || { echo "README.txt does not name version $version"; fail=1; }
grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$work/$top/licences/gcc-runtime.txt" || { echo "gcc-runtime.txt lacks the exception"; fail=1; }
grep -q "winpthreads" "$work/$top/licences/mingw-w64-runtime.txt" || { echo "mingw-w64-runtime.txt lacks winpthreads"; fail=1; }
for f in "$work/$top/README.txt" "$work/$top/licences/"*.txt; do
  if grep -q $'[^\r]$' "$f"; then echo "$(basename "$f") has lines without CR LF"; fail=1; fi
done

[ "$fail" = 0 ] && echo "zip contents as expected: $(echo "$listed" | wc -l) entries"
exit "$fail"
