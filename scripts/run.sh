#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
# Said before anything is installed or built: the program cannot start without a display.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "Vorn 5.0 is a desktop program and needs a desktop session (a display), but none is set:" >&2
  echo "run scripts/run.sh from a terminal of your desktop (scripts/test.sh runs the tests without one)." >&2
  exit 69
fi
bash scripts/install-deps.sh
bash scripts/build.sh
exec ./build/bin/Vorn5 "$@"
