#!/usr/bin/env bash
# Runs every test binary of a build tree once whole, as a maintainer runs one by hand,
# so that no test depends on running alone in its process (CTest runs one test per
# process). Binaries run side by side, each started by a long path
# (tools/start-by-long-path.sh); a failing binary's output is shown.
#   tools/run-test-binaries.sh <build-tree>
set -uo pipefail
tests=$(cd "$1/tests" && pwd)
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export start="$(cd "$(dirname "$0")" && pwd)/start-by-long-path.sh"

run_one() {
  local binary=$1 logs=$2
  local name
  name=$(basename "$binary")
  if (cd "$(dirname "$binary")" && timeout 900 "$start" "$binary" > "$logs/$name.log" 2>&1); then
    touch "$logs/$name.passed"
  fi
}
export -f run_one

find "$tests" -maxdepth 1 -type f -executable -name '*_test' -print0 |
  xargs -0 -r -P "$(nproc)" -I{} bash -c 'run_one "$1" "$2"' _ {} "$logs"

passed=0
failed=0
for log in "$logs"/*.log; do
  name=$(basename "$log" .log)
  if [ -e "$logs/$name.passed" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "---- $name failed when run whole:"
    tail -n 40 "$log"
  fi
done
echo "Test binaries run whole: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
