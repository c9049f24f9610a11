#!/usr/bin/env bash
# Runs one Windows test program under Wine for CTest.
# A template prefix is made once per build tree; the adapter tests share one
# copy of it, and MUROVEX_FRESH_PREFIX=1 gives a run a pristine copy of its own.
set -euo pipefail
prog="$1"; shift
here="$(cd "$(dirname "$prog")" && pwd)"
root="${MUROVEX_WINE_ROOT:-$here/wine}"
mkdir -p "$root/tmp"
export TMPDIR="$root/tmp" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
template="$root/template"

make_template() {
  local lock="$root/template.lock"
  exec 9>"$lock"
  flock 9
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    WINEPREFIX="$template" wineboot -i >/dev/null 2>&1 </dev/null
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    WINEPREFIX="$template" wineserver -w
    touch "$template/.ready"
  fi
  flock -u 9
}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$prog" "$@"
fi

make_template
if [ "${MUROVEX_FRESH_PREFIX:-0}" = 1 ]; then
  prefix="$(mktemp -d "$root/fresh.XXXXXX")"
  rmdir "$prefix"
  cp -a "$template" "$prefix"
  trap 'WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$prefix"' EXIT
else
  prefix="$root/shared"
  if [ ! -f "$prefix/.ready" ]; then rm -rf "$prefix"; cp -a "$template" "$prefix"; fi
fi
export WINEPREFIX="$prefix"
# A screen scale for this run only, in its fresh prefix: dots per inch.
if [ -n "${MUROVEX_LOG_PIXELS:-}" ] && [ "${MUROVEX_FRESH_PREFIX:-0}" = 1 ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$MUROVEX_LOG_PIXELS" /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$MUROVEX_LOG_PIXELS" /f >/dev/null 2>&1 </dev/null
  wineserver -k >/dev/null 2>&1 || true
fi
# Monitors read from Xinerama rather than XRandR, for a run in a fresh prefix
# on an X server whose heads lie side by side.
if [ "${MUROVEX_XINERAMA:-0}" = 1 ] && [ "${MUROVEX_FRESH_PREFIX:-0}" = 1 ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1 </dev/null
  wineserver -k >/dev/null 2>&1 || true
fi
# Start the server and Wine's services away from CTest's pipes, or every test
# waits for them to close.
# It exits with 2 when the prefix's server already runs (a previous test program).
wineserver -p30 >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
set +e
wine "$prog" "$@"
rc=$?
exit $rc
