#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. It builds in the repository but
# starts from the caller's folder: the run log and new data sets go where it is started.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# Said before anything is installed or built: the program cannot start without a display.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "Vorn 5.0 is a desktop program and needs a desktop session (a display), but none is set:" >&2
  echo "run scripts/run.sh from a terminal of your desktop (scripts/test.sh runs the tests without one)." >&2
  exit 69
fi
bash "$repo/scripts/install-deps.sh"
bash "$repo/scripts/build.sh"
# BUILD_DIR as build.sh takes it: relative to the repository, or a full path.
build_dir=${BUILD_DIR:-build}
case $build_dir in
  /*) ;;
  *) build_dir=$repo/$build_dir ;;
esac
exec "$build_dir/bin/Vorn5" "$@"
