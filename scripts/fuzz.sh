#!/usr/bin/env bash
# Builds the fuzz targets of the data set readers and of the grid's paste reader with clang
# and the address and undefined-behaviour sanitizers, runs each once over its seed inputs
# (the test fixtures and fuzz/seeds, inputs that once broke them), then fuzzes each for a
# while.
#   bash scripts/fuzz.sh [seconds per target, default 600] [corpus folder to keep]
# Inputs that break a promise are written to build-fuzz/findings/ and, in base64, to the log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
build=${BUILD_DIR:-build-fuzz}

bash scripts/install-deps.sh fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORN_WITH_QT=OFF -DVORN_SANITIZE=ON -DVORN_BENCH=OFF -DVORN_FUZZ=ON >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target fuzz_vn5 fuzz_vn4 fuzz_text fuzz_ascii fuzz_paste

corpus=${2:-$(mktemp -d)}
[ -n "${2:-}" ] || trap 'rm -rf "$corpus"' EXIT
findings="$build/findings"
mkdir -p "$findings"
for kind in vn5 vn4 txt paste; do
  mkdir -p "$corpus/$kind"
  cp -f tests/data/*."$kind" "$corpus/$kind/" 2>/dev/null || true
  for f in fuzz/seeds/*."$kind".gz; do
    [ -e "$f" ] && gunzip -c "$f" >"$corpus/$kind/$(basename "$f" .gz)"
  done
done

# A failure is told in full in the log, so that it can be reproduced from the log alone:
# the broken promise or the sanitizer's report, and each input found, in base64.
fail() {
  local target=$1 log="$findings/$1.log" f
  echo "fuzz_$target failed:"
  grep -E '^Broken promise:|runtime error:|^SUMMARY:|ERROR: (AddressSanitizer|libFuzzer)' "$log" || true
  tail -40 "$log"
  echo
  # The fuzzer writes what it found; a seed that fails is the one it was running.
  local inputs
  inputs=$(find "$findings" -maxdepth 1 -type f -name "$target-*" -newer "$started")
  [ -n "$inputs" ] || inputs=$(sed -n 's/^Running: //p' "$log" | tail -1)
  while IFS= read -r f; do
    [ -f "$f" ] || continue
    echo "Input $(basename "$f") ($(stat -c %s "$f") bytes); to run it again once this script has built the targets:"
    echo "base64 -d >input <<'EOF'"
    base64 -w 76 "$f"
    echo "EOF"
    echo "$build/bin/fuzz_$target input"
  done <<<"$inputs"
  rm -f "$started"
  exit 1
}

export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
# Every accepted input is saved and exported: keep those files in memory where possible.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
total=0
for target in vn5 vn4 text ascii paste; do
  kind=$target
  [ "$target" = text ] || [ "$target" = ascii ] && kind=txt
  bin="$build/bin/fuzz_$target"
  seeds=("$corpus/$kind"/*)
  echo "== fuzz_$target: ${#seeds[@]} seeds, then $seconds s"
  started=$(mktemp)
  "$bin" -artifact_prefix="$findings/$target-" "${seeds[@]}" >/dev/null 2>"$findings/$target.log" || fail "$target"
  "$bin" -artifact_prefix="$findings/$target-" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
    -rss_limit_mb=4096 -print_final_stats=1 "$corpus/$kind" 2>"$findings/$target.log" || fail "$target"
  rm -f "$started"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$findings/$target.log")
  echo "   $runs inputs"
  total=$((total + runs))
done
echo "Every reader kept its promises over $total inputs."
