#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshot script need,
# only when something is missing. With the argument "fuzz", also clang and its fuzzer
# runtime for scripts/fuzz.sh.
set -euo pipefail
pkgs=(g++ cmake ninja-build qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
      poppler-utils xvfb xauth x11-apps imagemagick fonts-dejavu-core)
if [ "${1:-}" = fuzz ]; then
  pkgs+=(clang-14 libclang-rt-14-dev llvm-14)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
