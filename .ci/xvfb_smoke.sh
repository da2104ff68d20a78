#!/usr/bin/env bash
# The real program once in a real X window: the sample game's start-up check
# (tests/tools/sample_scenario/start_sample_game.sh: a fresh copy of the sample
# data, the compiled scripts, SIGTERM after the title, exit status 0, the three
# save files, no error box) on a virtual X display instead of SDL's dummy driver.
# Installs xvfb if missing.
set -euo pipefail
build=${1:-build/release}
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v Xvfb >/dev/null; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xvfb >/dev/null
fi
work=$(mktemp -d)
# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/display") SDL_VIDEODRIVER=x11 \
  "$root/tests/tools/sample_scenario/start_sample_game.sh" \
  "$root/$build/bin/vesk" "$root/$build/Data/scenario.dat" "$root/data/Data"
echo "xvfb smoke: ok"
