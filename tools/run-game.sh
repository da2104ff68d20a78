#!/usr/bin/env bash
# Starts the game from a build tree in a working folder that holds a copy of the
# sample data and the compiled story, never in data/ itself.
#
# The working folder is kept from one start to the next, so that what the game
# wrote there stays: its save files ("global.dat", "kidoku.dat", "env.dat",
# "SaveNN.dat") and its archive "Data.dat". Only what changed is laid anew: the
# sample data is copied again (and the archive packed from the old copy removed,
# so that the game packs the new one) when data/Data differs from what was copied
# last, and the compiled story when it differs from the build's. A start while
# the game still runs in the folder changes nothing in it.
set -euo pipefail
build=$1
work=$2
root=$(cd "$(dirname "$0")/.." && pwd)
program="$build/bin/vesk"
if [ ! -x "$program" ]; then
  echo "The game program is not built yet; the libraries and tests were built in $build."
  exit 0
fi
program=$(realpath "$program")
mkdir -p "$work"

# Held by the game for as long as it runs (the descriptor passes to it below).
exec 9> "$work/.running"
if ! flock -n 9; then
  echo "The game is already running in $work; nothing there was changed."
  exit 1
fi

# What the copy was made from: every file's path, size and time of change.
stamp_of() {
  (cd "$1" && find . -type f -printf '%P\t%s\t%T@\n' | LC_ALL=C sort | sha256sum | cut -d' ' -f1)
}
if [ -d "$root/data/Data" ]; then
  stamp=$(stamp_of "$root/data/Data")
  if [ ! -d "$work/Data" ] || [ "$(cat "$work/.sample-data" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$work/Data" "$work/Data.dat"
    cp -r "$root/data/Data" "$work/Data"
    echo "$stamp" > "$work/.sample-data"
  fi
fi
# The compiled story script and the scene it links at run time; the program
# reads both from its working folder.
for compiled in scenario.dat interlude.obj; do
  if [ -f "$build/Data/$compiled" ] && ! cmp -s "$build/Data/$compiled" "$work/$compiled"; then
    cp "$build/Data/$compiled" "$work/$compiled"
  fi
done
cd "$work"
exec "$program"
