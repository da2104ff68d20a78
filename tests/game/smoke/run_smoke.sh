#!/usr/bin/env bash
# Starts the real program on a fresh copy of the sample data under SDL's dummy video
# and audio drivers, waits until it has built "Data.dat", ends it with SIGTERM and
# expects a normal end (exit status 0) that wrote the three save files.
# The compiled script is the smallest valid one: no labels, commands or symbols
# (the logo scene does not run it).
set -euo pipefail
program=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$data" "$work/Data"
cd "$work"
printf '.scr\0\0\0\0\0\0\0\0\0\0\0\0' > scenario.dat
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work"

"$program" &
pid=$!
for _ in $(seq 1 200); do
  [ -f Data.dat ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if [ ! -f Data.dat ]; then
  echo "Data.dat was not built"
  kill -KILL "$pid" 2>/dev/null || true
  exit 1
fi
sleep 0.5
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  echo "the program ended by itself with status $status"
  exit 1
fi
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
  echo "exit status $status after SIGTERM"
  exit 1
fi
if [ "$(head -c 8 Data/Common.ini)" != ".INIcDAT" ]; then
  echo "the parameter files were not converted"
  exit 1
fi
for saved in global.dat kidoku.dat env.dat; do
  if [ ! -f "$saved" ]; then
    echo "$saved was not written at the end"
    exit 1
  fi
done
echo "ok"
