#!/usr/bin/env bash
# Runs every test of Tovrell on a Debian machine, installing what is missing:
#   1. the core tests, natively (POSIX port, sanitizers);
#   2. the same core tests cross-built, under Wine (Win32 port);
#   3. the end-to-end tests: the real Tovrell.exe under Wine on Xvfb in the
#      zh_CN.UTF-8 locale, driven from outside by control id.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each phase says when it starts, so that a slow one shows in CI's log.
phase() { echo "== $(date +%T) $*"; }

phase "Installing what is missing"
bash tools/install-deps.sh
phase "Building natively"
bash tools/build.sh native

# Each level's GoogleTest programs and ctest itself write XML reports, which
# tools/test_counts.py sums up at the end.
# A test program under Wine is given the folder in Windows form.
# The test programs of a level run two at a time (the boot tests' QEMU beside
# the core tests; under Wine the end-to-end tests, on test drives of their
# own, beside the core tests).
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

# The native tests run while the Windows side builds and the Wine prefix is
# made: much of their time is QEMU's and waiting. Their output follows once
# both are done.
native_log=$(mktemp "${TMPDIR:-/tmp}/tovrell-native-tests.XXXXXX")
(run_level build/native >"$native_log" 2>&1; echo $? >"$native_log.status") &
native_tests=$!

# shellcheck source=tools/wine-env.sh
. tools/wine-env.sh
trap 'stop_own_display; rm -f "$native_log" "$native_log.status"' EXIT
windows_build=0
phase "Building for Windows, the native tests running meanwhile"
bash tools/build.sh windows || windows_build=$?
phase "Preparing the Wine prefix"
start_own_display
prepare_wine_prefix
wait "$native_tests" || true
phase "Core tests, native"
cat "$native_log"
status=$(cat "$native_log.status" 2>/dev/null || echo 1)
[ "$windows_build" -eq 0 ] || exit "$windows_build"

phase "Core tests and end-to-end tests, Windows build under Wine"
run_level build/mingw wine || status=$?
wineserver -k 2>/dev/null || true

phase "Done"
python3 tools/test_counts.py "native" build/native/test-results "under Wine" build/mingw/test-results || status=1
exit $status
