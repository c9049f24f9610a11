#!/usr/bin/env bash
# Installs what is missing, builds murovex.exe and starts it under Wine, in a
# Wine desktop window that shows the taskbar and its notification area. With
# no display, it runs on a virtual screen. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target murovex
source tools/xvfb.sh
start_virtual_screen
trap stop_virtual_screen EXIT
export WINEPREFIX="${MUROVEX_WINEPREFIX:-$HOME/.murovex-wine}" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.ready" ]; then
  echo "Preparing a Wine prefix in $WINEPREFIX (once)..."
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.ready"
fi
# A new Wine prefix holds no wallpapers; Windows keeps its own under
# Web\Wallpaper, where a first start of Murovex looks for them. Made once.
if [ ! -f "$WINEPREFIX/.wallpapers" ]; then
  bash tools/make-wallpapers.sh "$WINEPREFIX/drive_c/windows/Web/Wallpaper/Murovex Samples"
  touch "$WINEPREFIX/.wallpapers"
fi
app="${MUROVEX_APP_DIR:-$HOME/Murovex}"
mkdir -p "$app"
cp -f build/win64/app/murovex.exe "$app/"
rm -rf "$app/help" && cp -r build/win64/app/help "$app/help"
echo "Murovex runs from $app (display $DISPLAY); close it from its tray menu."
cd "$app"
wine explorer /desktop=Murovex,1024x768 murovex.exe "$@"
