#!/usr/bin/env bash
# Builds the benchmarks natively in Release (no sanitizers) and runs them:
# the tree copy and removal against cp -r and rm -rf, and the driver search
# against find -iname '*.dos', each on trees generated in a temporary folder;
# the boot image build into a 2.88 MB image against cp and mcopy -o; the
# network boot folder for 200 cards, in the core and as `tovrell netboot`,
# against a loop of cp and mcopy -o; the universal image and folder for 100
# cards against a script of cp, mcopy and sed; the device name's search in
# the largest card INI and OEMSETUP.INF. Then
# cross-builds the driver search for Windows and runs it under Wine against
# cmd /c dir /s /b on a driver-CD tree of 100,000 entries made natively (in
# the Wine prefix TOVRELL_WINEPREFIX names, as tools/wine-env.sh sets up).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTOVRELL_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target tree_bench search_bench image_bench netboot_bench device_name_bench \
  universal_bench make_driver_cd tovrell
cmake -S . -B build/mingw-release -DCMAKE_BUILD_TYPE=Release -DTOVRELL_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/mingw-release -j "$(nproc)" --target search_dir_bench
echo "== Driver search against find"
build/release/bench/search_bench
echo "== Tree copy and removal against cp -r and rm -rf"
build/release/bench/tree_bench
echo "== Boot image build against mcopy"
build/release/bench/image_bench "$PWD"
echo "== Network boot folder, in the core and as tovrell netboot, against a loop of cp and mcopy -o"
build/release/bench/netboot_bench "$PWD" "${TMPDIR:-/tmp}" 5 build/release/cli/tovrell
echo "== Universal image and folder against a script of cp, mcopy and sed"
build/release/bench/universal_bench "$PWD"
echo "== Device name in a card INI of 32,000 sections and an OEMSETUP.INF of 8,000 entries"
build/release/bench/device_name_bench

echo "== Driver search on the Win32 port under Wine against cmd /c dir /s /b"
work=$(mktemp -d "${TMPDIR:-/tmp}/tovrell-dir-bench.XXXXXX")
# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
trap 'stop_own_display; rm -rf "$work"' EXIT
# A new prefix is made by wineboot, which wants a display.
[ -n "${DISPLAY:-}" ] || start_own_display
prepare_wine_prefix
made=$(build/release/bench/make_driver_cd "$work/cd")
echo "Tree: $made"
drivers=$(sed -n 's/.*, \([0-9]*\) driver files$/\1/p' <<<"$made")
wine build/mingw-release/bench/search_dir_bench.exe "$(winepath -w "$work/cd")" "$drivers"
wineserver -w
