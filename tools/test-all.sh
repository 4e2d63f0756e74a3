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

# Each level's GoogleTest programs and ctest itself write XML reports, which
# tools/test_counts.py sums up at the end.
# A test program under Wine is given the folder in Windows form.
# Natively the test programs run two at a time (the boot tests' QEMU beside
# the core tests); under Wine they share the test drives and run in turn.
run_level() {
  local build=$1
  local results=$PWD/$build/test-results
  rm -rf "$results"
  mkdir -p "$results"
  local reports=$results/
  [ "${2:-}" = wine ] && reports=$(winepath -w "$results")\\
  GTEST_OUTPUT="xml:$reports" ctest --test-dir "$build" --parallel "$(nproc)" --output-on-failure \
    --output-junit "$results/ctest.xml"
}

status=0
echo "== Core tests, native"
run_level build/native || status=$?

# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
trap stop_own_display EXIT
start_own_display
prepare_wine_prefix

echo "== Core tests and end-to-end tests, Windows build under Wine"
run_level build/mingw wine || status=$?
wineserver -k 2>/dev/null || true

python3 tools/test_counts.py "native" build/native/test-results "under Wine" build/mingw/test-results || status=1
exit $status
