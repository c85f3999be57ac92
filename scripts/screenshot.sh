#!/usr/bin/env bash
# Takes a picture of the main window with a data set loaded, on a virtual X display, and
# pictures of a grid search on it (results window, score table, contour plot) beside it:
#   bash scripts/screenshot.sh [picture.png] [data file]
# (default build/screenshots/main-window.png and tests/data/sample.vn5).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-build/screenshots/main-window.png}")
data=$(realpath "${2:-tests/data/sample.vn5}")
build_dir=${BUILD_DIR:-build}

bash scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target vorn_screenshot vorn_grid_screenshot -j "${JOBS:-$(nproc)}"
tool="$root/$build_dir/bin/vorn_screenshot"
mkdir -p "$(dirname "$out")"

# The program writes its run log into the current folder: give it a folder of its own,
# and copy the data file there so nothing of the repository is touched.
work=$(mktemp -d)
display=""
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp "$data" "$work/"

for n in $(seq 91 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

(cd "$work" && DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" \
   "$tool" "$work/$(basename "$data")" "$out")
echo "Saved $out"
(cd "$work" && DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" \
   "$root/$build_dir/bin/vorn_grid_screenshot" "$work/$(basename "$data")" "$(dirname "$out")")
