#!/usr/bin/env bash
# Starts the game from a build tree in a working folder that holds a fresh copy of
# the sample data, never in data/ itself.
set -euo pipefail
build=$1
work=$2
root=$(cd "$(dirname "$0")/.." && pwd)
program="$build/bin/vesk"
if [ ! -x "$program" ]; then
  echo "The game program is not built yet; the libraries and tests were built in $build."
  exit 0
fi
rm -rf "$work"
mkdir -p "$work"
if [ -d "$root/data/Data" ]; then
  cp -r "$root/data/Data" "$work/Data"
fi
# The compiled story script and the scene it links at run time; the program
# reads both from its working folder.
for compiled in scenario.dat interlude.obj; do
  if [ -f "$build/Data/$compiled" ]; then
    cp "$build/Data/$compiled" "$work/$compiled"
  fi
done
cd "$work"
exec "$(cd "$root" && realpath "$program")"
