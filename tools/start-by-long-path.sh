#!/usr/bin/env bash
# Starts a test binary by a path of over 100 characters, whatever folder the build
# tree lies in: through a link to the binary's own folder under a long name, made
# on first use in a folder of the user's under the temporary folder. A fault that
# depends on the path a program was started by (its argv[0]) then shows on every
# machine, not only in a clone with a long folder name. The link lies outside the
# build tree: a link inside it to its own folder would make a cycle that a walk
# following links (find -L) never leaves. tools/run-test-binaries.sh and CTest start
# every test binary so.
#   tools/start-by-long-path.sh <binary> [arguments...]
set -euo pipefail
binary=$1
shift
folder=$(cd "$(dirname "$binary")" && pwd)
links="${TMPDIR:-/tmp}/vesk-long-paths-$(id -u)"
mkdir -p -m 700 "$links"
# One link a folder, named by a checksum of the folder's path.
sum=$(printf '%s' "$folder" | cksum | cut -d ' ' -f 1)
link="$links/$sum-started-by-a-long-path-so-that-a-fault-which-depends-on-the-length-cannot-hide"
# An earlier launcher made its link in the binary's folder: it goes, so that a build
# tree made before ends its walks too.
legacy="$folder/started-by-a-long-path-so-that-a-fault-which-depends-on-the-length-cannot-hide"
[ ! -L "$legacy" ] || rm -f "$legacy"
# Binaries start side by side: another may have made the link in the meantime.
# -T: a link made in the meantime is a name that exists, never a folder to make
# the new link inside.
[ -L "$link" ] || ln -sT "$folder" "$link" 2>/dev/null || [ -L "$link" ]
if [ "$(readlink "$link")" != "$folder" ]; then
  echo "start-by-long-path: $link leads to $(readlink "$link"), not to $folder" >&2
  exit 1
fi
exec "$link/$(basename "$binary")" "$@"
