#!/usr/bin/env bash
# Makes a delay-load import library for one system DLL from MinGW's own
# import library: every function it names, loaded on the first call.
# Usage: delay-import.sh NM DLLTOOL IMPORT_LIB DLL_NAME OUTPUT_LIB
set -euo pipefail
nm="$1" dlltool="$2" import="$3" dll="$4" out="$5"
def="${out%.a}.def"
{
  echo "LIBRARY $dll"
  echo "EXPORTS"
  "$nm" -g "$import" | awk '$2 == "I" && $3 ~ /^__imp_/ { print substr($3, 7) }' | sort -u
} >"$def"
"$dlltool" --input-def "$def" --dllname "$dll" --output-delaylib "$out"
