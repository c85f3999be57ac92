#!/bin/sh
# scripts/run.sh builds in the repository and starts the program from the caller's folder,
# where the run log and new data sets belong. It starts the program of the build folder
# BUILD_DIR names, relative to the repository or as a full path, as build.sh takes it.
# A copy of the script runs in a stand-in repository whose install, build and programs
# only note where they ran.
#   RunFolderCheck.sh <scripts/run.sh>
set -eu
unset BUILD_DIR
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
repo=$tmp/repo
mkdir -p "$repo/scripts" "$tmp/caller"
cp "$1" "$repo/scripts/run.sh"
for s in install-deps build; do
  printf '#!/bin/sh\necho %s >> "%s/steps"\n' "$s" "$tmp" > "$repo/scripts/$s.sh"
done
# A stand-in program in each build folder, telling which one started.
for dir in "$repo/build" "$repo/out/relative" "$tmp/absolute"; do
  mkdir -p "$dir/bin"
  printf '#!/bin/sh\npwd > "%s/started-in"\necho "$*" > "%s/arguments"\necho "%s" > "%s/program"\n' \
    "$tmp" "$tmp" "$dir" "$tmp" > "$dir/bin/Vorn5"
  chmod +x "$dir/bin/Vorn5"
done

check() {
  what=$1; program=$2; shift 2
  rm -f "$tmp/steps" "$tmp/started-in" "$tmp/arguments" "$tmp/program"
  (cd "$tmp/caller" && QT_QPA_PLATFORM=offscreen "$@" one two) || { echo "$what: run.sh failed"; exit 1; }
  steps=$(tr '\n' ' ' < "$tmp/steps")
  [ "$steps" = "install-deps build " ] || { echo "$what: steps were '$steps'"; exit 1; }
  [ "$(cat "$tmp/program")" = "$program" ] || { echo "$what: started $(cat "$tmp/program")/bin/Vorn5"; exit 1; }
  where=$(cat "$tmp/started-in")
  [ "$where" = "$(cd "$tmp/caller" && pwd)" ] || { echo "$what: started in $where"; exit 1; }
  [ "$(cat "$tmp/arguments")" = "one two" ] || { echo "$what: arguments '$(cat "$tmp/arguments")'"; exit 1; }
}
check "by a relative path" "$repo/build" bash ../repo/scripts/run.sh
check "by its full path" "$repo/build" bash "$repo/scripts/run.sh"
check "with a relative BUILD_DIR" "$repo/out/relative" env BUILD_DIR=out/relative bash ../repo/scripts/run.sh
check "with a full BUILD_DIR" "$tmp/absolute" env BUILD_DIR="$tmp/absolute" bash ../repo/scripts/run.sh
echo "built in the repository, started in the caller's folder, from the build folder named"
