#!/usr/bin/env bash
# Starts a test binary by a path of over 100 characters, whatever folder the build
# tree lies in: through a link to the binary's own folder under a long name, made
# beside the binary on first use. A fault that depends on the path a program was
# started by (its argv[0]) then shows on every machine, not only in a clone with a
# long folder name. tools/run-test-binaries.sh and CTest start every test binary so.
#   tools/start-by-long-path.sh <binary> [arguments...]
set -euo pipefail
binary=$1
shift
folder=$(cd "$(dirname "$binary")" && pwd)
link="$folder/started-by-a-long-path-so-that-a-fault-which-depends-on-the-length-cannot-hide"
# Binaries start side by side: another may have made the link in the meantime.
[ -e "$link" ] || ln -s . "$link" 2>/dev/null || [ -e "$link" ]
exec "$link/$(basename "$binary")" "$@"
