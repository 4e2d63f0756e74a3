#!/usr/bin/env bash
# Runs every test of Tovrell on a Debian machine, installing what is missing:
#   1. the core tests, natively (POSIX port, sanitizers);
#   2. the same core tests cross-built, under Wine (Win32 port);
#   3. the end-to-end tests: the real Tovrell.exe under Wine on Xvfb in the
#      zh_CN.UTF-8 locale, driven from outside by control id.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
bash tools/build.sh

echo "== Core tests, native"
ctest --test-dir build/native --output-on-failure

# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
trap stop_own_display EXIT
start_own_display
prepare_wine_prefix

echo "== Core tests and end-to-end tests, Windows build under Wine"
status=0
ctest --test-dir build/mingw --output-on-failure || status=$?
wineserver -k 2>/dev/null || true
exit $status
