#!/bin/sh
# Started without a desktop session, the program and scripts/run.sh say that one is needed
# and end with code 69; so does the program when the display it is given cannot be opened.
#   NoDisplayCheck.sh <program> <scripts/run.sh>
program=$1
run=$2
expect() {
  what=$1; shift
  out=$("$@" 2>&1); code=$?
  if [ "$code" -ne 69 ] || ! printf '%s' "$out" | grep -q "needs a desktop session (a display)"; then
    echo "$what: exit code $code, output:"; echo "$out"; exit 1
  fi
}
expect "program without a display" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
expect "program with a display that is not there" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711 "$program"
expect "scripts/run.sh without a display" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM bash "$run"
echo "all three said so"
