#!/usr/bin/env bash
# Builds Tovrell.exe, lays out a demo program folder (demo/: the exe, the
# sample driver library and boot disk template, and a template image made
# from the sample template) and starts it under Wine:
# on your display if there is one, otherwise on Xvfb, writing a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
bash tools/build.sh windows

demo=$PWD/demo
rm -rf "$demo"
mkdir -p "$demo"
cp build/mingw/Tovrell.exe "$demo/"
cp -r sample/driver sample/BootDisk "$demo/"
bash tools/make_sample_image.sh sample/BootDisk "$demo/BootDisk.img"
echo "Demo program folder: $demo"

# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_wine_prefix
  echo "Starting Tovrell on $DISPLAY ..."
  cd "$demo" && exec wine explorer /desktop=Tovrell,1024x768 "$demo/Tovrell.exe"
fi

trap stop_own_display EXIT
start_own_display
prepare_wine_prefix
echo "No display: starting Tovrell on Xvfb $DISPLAY"
(cd "$demo" && wine explorer /desktop=Tovrell,640x520 "$demo/Tovrell.exe" >/dev/null 2>&1) &
sleep 8
# The NE2000 card selected, so that the details pane shows its PROTOCOL.INI.
xdotool mousemove 60 78 click 1 sleep 1 key Down Down sleep 2
shot=$demo/tovrell-main-window.png
import -window root -crop 640x520+0+0 "$shot"
echo "Screenshot of the main window: $shot"
wineserver -k 2>/dev/null || true
