#!/usr/bin/env bash
# Starts the game program on a fresh copy of the sample data with the compiled
# sample script and the objects compiled beside it, lets it run (on SDL's dummy
# drivers unless SDL_VIDEODRIVER names another) until a few seconds after it
# built its archive, and ends it with SIGTERM. It must end with status 0 and show no error box (on the dummy driver a
# box is printed to the standard error stream as "[caption] text").
set -uo pipefail
program=$(realpath "$1")
scenario=$(realpath "$2")
data=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$data" "$work/Data"
cp "$scenario" "$work/scenario.dat"
for object in "$(dirname "$scenario")"/*.obj; do
  [ -e "$object" ] && cp "$object" "$work/"
done
cd "$work"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work"
"$program" 2>stderr.txt &
game=$!
for _ in $(seq 300); do
  [ -f Data.dat ] && break
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
sleep 3
if ! kill -0 "$game" 2>/dev/null; then
  cat stderr.txt >&2
  echo "the game ended before it was asked to" >&2
  exit 1
fi
kill -TERM "$game"
wait "$game"
status=$?
cat stderr.txt >&2
if [ "$status" -ne 0 ]; then
  echo "the game ended with status $status" >&2
  exit 1
fi
if grep -q '^\[' stderr.txt; then
  echo "the game showed a box" >&2
  exit 1
fi
for file in Data.dat global.dat kidoku.dat env.dat; do
  if [ ! -f "$file" ]; then
    echo "the game did not write $file" >&2
    exit 1
  fi
done
