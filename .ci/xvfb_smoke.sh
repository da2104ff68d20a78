#!/usr/bin/env bash
# The real program once on a virtual X display: it starts on a fresh copy of the
# sample data with the compiled sample script, shows the title, ends on SIGTERM
# with exit status 0 and leaves the three save files. Installs xvfb if missing.
set -euo pipefail
build=${1:-build/release}
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v Xvfb >/dev/null; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq && $sudo apt-get install -y -qq xvfb >/dev/null
fi
work=$(mktemp -d)
# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(cat "$work/display")
cp -r "$root/data/Data" "$work/Data"
cp "$build/Data/scenario.dat" "$work/scenario.dat"
cd "$work"
DISPLAY=$display SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work" "$root/$build/bin/vesk" 2>stderr.txt &
game=$!
# The logo lasts under a second after the archive is built; the title follows.
for _ in $(seq 300); do
  [ -f Data.dat ] && break
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
sleep 3
if ! kill -0 "$game" 2>/dev/null; then
  cat stderr.txt >&2
  echo "the game ended before the title" >&2
  exit 1
fi
kill -TERM "$game"
status=0
wait "$game" || status=$?
cat stderr.txt >&2
[ "$status" -eq 0 ] || { echo "the game ended with status $status" >&2; exit 1; }
for file in global.dat kidoku.dat env.dat; do
  [ -f "$file" ] || { echo "the game did not write $file" >&2; exit 1; }
done
echo "xvfb smoke: ok"
