#!/usr/bin/env bash
# Runs the sample data generator into a temporary folder and compares its output
# with data/Data: the same files, byte for byte except the encoded Ogg audio
# (whose bytes may change with the encoder's version), and the data under 20 MB.
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$root/tools/make_sample_data.py" "$work/Data" > "$work/log" 2>&1 || { cat "$work/log"; exit 1; }

(cd "$root/data/Data" && find . -type f | sort) > "$work/checked_in"
(cd "$work/Data" && find . -type f | sort) > "$work/written"
diff -u "$work/checked_in" "$work/written" || { echo "the generator writes other files than data/Data holds"; exit 1; }
diff -r -x '*.ogg' "$root/data/Data" "$work/Data" || { echo "data/Data differs from what the generator writes"; exit 1; }

size=$(du -sb "$root/data" | cut -f1)
if [ "$size" -ge $((20 * 1024 * 1024)) ]; then
  echo "data/ holds $size bytes, more than 20 MB"
  exit 1
fi
