#!/usr/bin/env bash
# Runs every fuzz target of a TRENNIC_FUZZ build for a bounded time, a few at
# once, each from its seed corpus in the tree. New inputs the fuzzers find
# go to a work folder, never into the tree; an input that crashes a target,
# hangs it or breaks one of its properties is kept there, and the run fails
# with the target's report.
#
#   tests/fuzz/run_fuzzers.sh BUILD_DIR [SECONDS_EACH] [AT_ONCE] [TARGET...]
set -euo pipefail

build=$(cd "${1:?usage: run_fuzzers.sh BUILD_DIR [SECONDS_EACH] [AT_ONCE] [TARGET...]}" && pwd)
seconds=${2:-20}
at_once=${3:-$(nproc)}
shift $(( $# < 3 ? $# : 3 ))
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
work=${TRENNIC_FUZZ_WORK:-$build/fuzz-runs}
mkdir -p "$work"
# The file readers' targets write every input to a scratch file; memory is
# far faster for that than a disk.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for dir in "$seeds"/*/; do targets+=("$(basename "$dir")"); done
fi

run_one() {
  local name=$1 out="$work/$1"
  mkdir -p "$out/corpus"
  rm -f "$out"/crash-* "$out"/timeout-* "$out"/leak-* "$out"/oom-*
  # A hang is any input that takes more than ten seconds.
  if "$build/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "$seeds/$name" >"$out/log" 2>&1; then
    echo "ok    $name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$out/log" | grep -o '[0-9]*$') runs"
  else
    echo "FAIL  $name (log: $out/log)"
    return 1
  fi
}
export -f run_one
export build seconds seeds work

status=0
printf '%s\n' "${targets[@]}" | xargs -P "$at_once" -I{} bash -c 'run_one "$@"' _ {} || status=1
if [ $status -ne 0 ]; then
  for name in "${targets[@]}"; do
    found=$(ls "$work/$name"/crash-* "$work/$name"/timeout-* "$work/$name"/leak-* "$work/$name"/oom-* 2>/dev/null || true)
    [ -n "$found" ] || continue
    echo "---- $name: $found"
    grep -v '^#' "$work/$name/log" | tail -n 40
  done
fi
exit $status
