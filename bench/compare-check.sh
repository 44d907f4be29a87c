#!/usr/bin/env bash
# The exact check against the peer solver's counting, whole process, one
# core each: `numplace-cli --batch FILE --check-only --jobs 1` and
# `qqwing --solve --count-solutions <FILE`, both pinned with taskset to the
# same processor, run alternately RUNS times each (default 5). Prints the
# medians and how many times as fast the check is (qqwing / numplace).
# Before timing, both must find the same number of puzzles with one solution.
#
#   bench/compare-check.sh [RUNS] [FILE...]   (default: 17clue top1465 forum_hardest_1106 of tests/data)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-5}
shift || true
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(tests/data/17clue.txt tests/data/top1465.txt tests/data/forum_hardest_1106.txt)
cpu=${CPU:-1}

source bench/timing.sh
need_qqwing_and_cli
numplace_check() { taskset -c "$cpu" "$cli" --batch "$1" --check-only --jobs 1; }
qqwing_count() { taskset -c "$cpu" qqwing --solve --count-solutions <"$1"; }

echo "$(nproc) cores, both on processor $cpu; numplace-cli $("$cli" --version | cut -d' ' -f2); $(qqwing --version 2>&1 | head -1); $runs runs each, alternately"
printf '%-20s %8s %12s %10s %10s\n' file puzzles numplace_s qqwing_s speedup
for f in "${files[@]}"; do
  name=$(basename "$f" .txt)
  ours_unique=$(numplace_check "$f" 2>/dev/null | grep -c ' solutions=1' || true)
  theirs_unique=$(qqwing_count "$f" 2>/dev/null | grep -c 'solution to the puzzle is unique' || true)
  if [ "$ours_unique" != "$theirs_unique" ]; then
    echo "compare-check: $name: $ours_unique puzzles with one solution here, $theirs_unique by qqwing" >&2
    exit 1
  fi
  ours=()
  theirs=()
  for ((i = 0; i < runs; ++i)); do
    ours+=("$(seconds numplace_check "$f")")
    theirs+=("$(seconds qqwing_count "$f")")
  done
  a=$(printf '%s\n' "${ours[@]}" | median)
  b=$(printf '%s\n' "${theirs[@]}" | median)
  printf '%-20s %8d %12.3f %10.3f %10.1f\n' "$name" "$(grep -c . "$f")" "$a" "$b" "$(echo "$b / $a" | bc -l)"
done
