#!/usr/bin/env bash
# Runs every benchmark program of a build tree, then measures the real program on
# a virtual display. The benchmarks that present to an X display get a virtual
# display of their own (Xvfb: no GPU acceleration), so that the figures are those
# of a player without one.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob

xvfb=
if command -v Xvfb >/dev/null; then
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null; rm -f "$number"' EXIT
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$number")"
fi

found=0
for b in "$build"/bench/*_bench; do
  found=1
  echo "== $(basename "$b")"
  "$b"
done
[ "$found" -eq 1 ] || echo "No benchmarks built."

echo "== program_cost (the real program, 20 s per situation)"
python3 "$root/bench/game/program_cost/program_cost.py" "$build"
