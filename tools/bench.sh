#!/usr/bin/env bash
# Builds the benchmarks natively in Release (no sanitizers) and runs them:
# the tree copy and removal against cp -r and rm -rf, and the driver search
# against find -iname '*.dos', each on trees generated in a temporary folder;
# the boot image build into a 2.88 MB image against cp and mcopy -o; the
# network boot folder for 200 cards against a loop of cp and mcopy -o.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTOVRELL_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target tree_bench search_bench image_bench netboot_bench
echo "== Driver search against find"
build/release/bench/search_bench
echo "== Tree copy and removal against cp -r and rm -rf"
build/release/bench/tree_bench
echo "== Boot image build against mcopy"
build/release/bench/image_bench "$PWD"
echo "== Network boot folder against a loop of cp and mcopy -o"
build/release/bench/netboot_bench "$PWD"
