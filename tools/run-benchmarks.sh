#!/usr/bin/env bash
# Runs every benchmark program of a build tree.
set -euo pipefail
build=$1
shopt -s nullglob
found=0
for b in "$build"/bench/*_bench; do
  found=1
  echo "== $(basename "$b")"
  "$b"
done
[ "$found" -eq 1 ] || echo "No benchmarks built."
