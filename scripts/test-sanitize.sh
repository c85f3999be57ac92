#!/usr/bin/env bash
# Builds the Qt-free libraries and their tests with the address and undefined-behaviour
# sanitizers and runs those tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_DIR=build-sanitize bash scripts/build.sh -DVORN_WITH_QT=OFF -DVORN_SANITIZE=ON -DVORN_BENCH=OFF
cd build-sanitize
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$(nproc)"
