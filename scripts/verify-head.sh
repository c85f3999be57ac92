#!/usr/bin/env bash
# Builds the committed HEAD in a clean clone and runs every test there: what CI will see.
# Usage: scripts/verify-head.sh [name]   (the clone goes to /tmp/verify-<name>)
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
dir="/tmp/verify-${1:-head}"
rm -rf "$dir"
git clone -q "$repo" "$dir"
cd "$dir"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${JOBS:-4}" 2>&1 | grep -E 'error|FAILED|warning: unused' | head -40 || true
cmake --build build -j "${JOBS:-4}" >/dev/null
cd build && ctest -j "${JOBS:-4}" --output-on-failure 2>&1 | tail -15
