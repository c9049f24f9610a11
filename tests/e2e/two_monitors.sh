#!/usr/bin/env bash
# Runs end-to-end tests on two monitors side by side: a nested X server with
# two heads joined by Xinerama (Xvfb stacks its screens at the same origin),
# and a fresh Wine prefix that reads its monitors from Xinerama.
#   two_monitors.sh <wine-run.sh> <e2e_tests.exe> [test arguments]
set -euo pipefail
runner="$1"; shift
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" bash "$0" "$runner" "$@"
fi
if ! command -v Xephyr >/dev/null 2>&1; then
  echo "two_monitors: Xephyr is missing (package xserver-xephyr; bash tools/setup.sh installs it)" >&2
  exit 1
fi

work="$(mktemp -d)"
Xephyr +xinerama -screen 800x600 -screen 640x480 -nolisten tcp -ac -displayfd 3 3>"$work/display" \
  >"$work/xephyr.log" 2>&1 &
xephyr=$!
trap 'kill "$xephyr" 2>/dev/null || true; wait "$xephyr" 2>/dev/null || true; rm -rf "$work"' EXIT

# Xephyr writes its display number once it accepts clients.
for _ in $(seq 1 100); do
  if [ -s "$work/display" ] || ! kill -0 "$xephyr" 2>/dev/null; then break; fi
  sleep 0.1
done
display="$(tr -d '[:space:]' <"$work/display")"
if [ -z "$display" ]; then
  echo "two_monitors: Xephyr did not start on $DISPLAY:" >&2
  cat "$work/xephyr.log" >&2
  exit 1
fi

DISPLAY=":$display" MUROVEX_FRESH_PREFIX=1 MUROVEX_XINERAMA=1 MUROVEX_TWO_MONITORS=1 \
  timeout -k 5 150 bash "$runner" "$@"
