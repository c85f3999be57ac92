#!/bin/sh
# scripts/run.sh builds in the repository and starts the program from the caller's folder,
# where the run log and new data sets belong. A copy of the script runs in a stand-in
# repository whose install, build and program only note where they ran.
#   RunFolderCheck.sh <scripts/run.sh>
set -eu
unset BUILD_DIR  # run.sh starts the program of the build folder it names
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
repo=$tmp/repo
mkdir -p "$repo/scripts" "$repo/build/bin" "$tmp/caller"
cp "$1" "$repo/scripts/run.sh"
for s in install-deps build; do
  printf '#!/bin/sh\necho %s >> "%s/steps"\n' "$s" "$tmp" > "$repo/scripts/$s.sh"
done
printf '#!/bin/sh\npwd > "%s/started-in"\necho "$*" > "%s/arguments"\n' "$tmp" "$tmp" > "$repo/build/bin/Vorn5"
chmod +x "$repo/build/bin/Vorn5"

check() {
  what=$1; shift
  rm -f "$tmp/steps" "$tmp/started-in" "$tmp/arguments"
  (cd "$tmp/caller" && QT_QPA_PLATFORM=offscreen "$@" one two) || { echo "$what: run.sh failed"; exit 1; }
  steps=$(tr '\n' ' ' < "$tmp/steps")
  [ "$steps" = "install-deps build " ] || { echo "$what: steps were '$steps'"; exit 1; }
  where=$(cat "$tmp/started-in")
  [ "$where" = "$(cd "$tmp/caller" && pwd)" ] || { echo "$what: started in $where"; exit 1; }
  [ "$(cat "$tmp/arguments")" = "one two" ] || { echo "$what: arguments '$(cat "$tmp/arguments")'"; exit 1; }
}
check "by a relative path" bash ../repo/scripts/run.sh
check "by its full path" bash "$repo/scripts/run.sh"
echo "built in the repository, started in the caller's folder"
