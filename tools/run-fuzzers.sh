#!/usr/bin/env bash
# Builds every fuzzing target of a VESK_FUZZ build and runs each under afl-fuzz for
# the given seconds, a few at a time, starting from its checked-in corpus. Prints a
# line per target with its executions and findings (crashes and hangs, sanitizer
# reports included) and exits non-zero when any target found anything.
#   tools/run-fuzzers.sh <build folder> <seconds per target> <targets at once>
set -euo pipefail

build=$1
seconds=${2:-60}
parallel=${3:-3}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t targets < "$build/fuzz-targets.txt"

cmake --build "$build" -j "$parallel" --target "${targets[@]}"

# A crash, a sanitizer report, a leak, over the target's time limit for one input
# (when run again alone, see hangs_alone) or over the memory limit is a finding. The memory limit is what
# the image decoder may take for the largest legal picture (its own bound) and
# 512 MB for the program, the sanitizer's shadow and its quarantine of freed memory.
# Leaks are looked for when a target process ends, after every `iterations` inputs
# (the one it ends on is saved as the finding: replay the queue to find the input
# that leaked); leaks inside system libraries that the program cannot free are
# suppressed, each with its reason, in tests/fuzz/leak_suppressions.txt.
iterations=200
# The time limit of one input: 1 s, but for the image target, which decodes legal
# pictures of up to 8192 pixels a side whose every pixel passes through our own
# conversion loops. Under this build's instrumentation (no optimisation, a coverage
# call at every basic block) the largest, a CMYK 8192x8192 JPEG, takes some 10 s
# alone, where the release game takes about one: its limit is twice that.
limit_ms_of() {
  case $1 in
    image_fuzz) echo 20000 ;;
    *) echo 1000 ;;
  esac
}
decode_mb=$(sed -n 's/.*kMaxDecodeMebibytes = \([0-9]*\);.*/\1/p' "$source_dir/platform/image/image_decoder.h")
export AFL_NO_UI=1 AFL_NO_AFFINITY=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1
export AFL_SUPPRESS_ENV_LIST=1 AFL_QUIET=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=1:hard_rss_limit_mb=$((${decode_mb:?} + 512)):allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$source_dir/tests/fuzz/leak_suppressions.txt:print_suppressions=0:symbolize=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:symbolize=0

findings_root="$build/findings"
run_one() {
  local target=$1 corpus="$source_dir/tests/fuzz/$1"
  # A target's dictionary of its format's markers lies beside its corpus, as <target>.dict.
  local dictionary=()
  [ -f "$corpus.dict" ] && dictionary=(-x "$corpus.dict")
  rm -rf "$findings_root/$target"
  mkdir -p "$findings_root/$target"
  afl-fuzz -i "$corpus" -o "$findings_root/$target" -V "$seconds" -t "$(limit_ms_of "$target")" -m none "${dictionary[@]}" \
    -- "$build/fuzz/$target" "-$iterations" > "$findings_root/$target.log" 2>&1 ||
    echo "afl-fuzz failed" >> "$findings_root/$target.log"
}

running=0
for target in "${targets[@]}"; do
  run_one "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

# Why afl-fuzz gave up before fuzzing: its abort message, and for a dry run in
# which no seed passed, what that means. A seed over the time limit is the
# harness's cost per input, not a finding of the reader.
why_not_run() {
  local reason
  reason=$(sed -n 's/\x1b\[[0-9;]*m//g; s/.*PROGRAM ABORT : *//p' "$1" | head -n1)
  case "$reason" in
    *"All test cases time out or crash"*)
      echo "every seed of its corpus timed out or crashed in afl-fuzz's dry run (replay the corpus with its _replay program to see which; a seed over the limit means the harness is too slow per input)" ;;
    "") echo "afl-fuzz ended without a reason in its log" ;;
    *) echo "$reason" ;;
  esac
}

# afl-fuzz saves an input as a hang when one execution of it went over the limit,
# so a moment in which the machine holds the targets' processes back (seen here:
# several targets timing out at the same instant, on inputs that take a few
# milliseconds) makes hangs of harmless inputs; such moments can last, so one run
# again can fall in one too. Each saved hang is run again alone by its target
# program, outside afl-fuzz, up to three times: it is a finding when every run takes
# the limit or more, or fails; otherwise it is counted as a stall.
runs_within_limit() {
  local start limit_ms
  limit_ms=$(limit_ms_of "$1")
  start=$(date +%s%N)
  timeout $(( limit_ms / 1000 + 60 )) "$build/fuzz/$1" "$2" > /dev/null 2>&1 &&
    [ $(( ($(date +%s%N) - start) / 1000000 )) -lt "$limit_ms" ]
}
hangs_alone() {
  local target=$1 input slow=0 stalls=0
  for input in "$findings_root/$target/default/hangs"/id:*; do
    [ -e "$input" ] || continue
    if runs_within_limit "$target" "$input" || runs_within_limit "$target" "$input" ||
      runs_within_limit "$target" "$input"; then
      stalls=$((stalls + 1))
    else
      slow=$((slow + 1))
    fi
  done
  echo "$slow $stalls"
}

status=0
stat() { sed -n "s/^$1 *: *//p" "$2" 2>/dev/null | head -n1; }
for target in "${targets[@]}"; do
  stats="$findings_root/$target/default/fuzzer_stats"
  if [ ! -f "$stats" ]; then
    echo "$target: did not run: $(why_not_run "$findings_root/$target.log") (see $findings_root/$target.log)"
    status=1
    continue
  fi
  execs=$(stat execs_done "$stats")
  crashes=$(stat saved_crashes "$stats")
  read -r hangs stalls < <(hangs_alone "$target")
  findings=$(( ${crashes:-0} + hangs ))
  note=""
  [ "$stalls" -ne 0 ] && note=", $stalls timed-out inputs that take under $(limit_ms_of "$target") ms alone (stalls)"
  echo "$target: ${execs:-0} executions, $findings findings (${crashes:-0} crashes, $hangs hangs$note)"
  if [ "$findings" -ne 0 ]; then
    echo "  inputs in $findings_root/$target/default/crashes and .../hangs"
    status=1
  fi
done
exit $status
