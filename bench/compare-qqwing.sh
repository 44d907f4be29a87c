#!/usr/bin/env bash
# numplace-cli --batch against the peer logic solver qqwing, one core against
# one core: numplace-cli with --jobs 1 and qqwing --solve --one-line, both
# pinned to the same processor (taskset -c CPU, default 1), whole process, on
# the same files. The two run alternately, RUNS times each (default 5), and
# the medians and the ratio (numplace / qqwing, lower is better) are printed
# per file. With --all-cores a second table follows: numplace-cli with its
# default --jobs (one thread per core), unpinned, against the same pinned
# qqwing, which solves on one thread only.
#
# Installs qqwing (Debian package; a developer tool, not a test dependency)
# when it is missing and builds the default preset when numplace-cli is not
# built. Before timing, the batch output of each file is checked against its
# recorded digest (tests/digests), so every line is the one the program has
# always printed.
#
#   bench/compare-qqwing.sh [--all-cores] [--cpu N] [RUNS] [FILE...]
#   (default: se_easy 17clue top1465 of tests/data)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
all_cores=0
cpu=1
while [ $# -gt 0 ]; do
  case $1 in
    --all-cores) all_cores=1; shift ;;
    --cpu) cpu=$2; shift 2 ;;
    *) break ;;
  esac
done
runs=${1:-5}
shift || true
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(tests/data/se_easy.txt tests/data/17clue.txt tests/data/top1465.txt)

source bench/timing.sh
need_qqwing_and_cli
numplace_one_core() { taskset -c "$cpu" "$cli" --batch "$1" --jobs 1; }
numplace_all_cores() { "$cli" --batch "$1"; }
qqwing_one_core() { taskset -c "$cpu" qqwing --solve --one-line <"$1"; }

table() {
  local ours_cmd=$1 label=$2
  echo "$label"
  printf '%-16s %8s %14s %12s %8s\n' file puzzles numplace_s qqwing_s ratio
  for f in "${files[@]}"; do
    local name ours=() theirs=() a b
    name=$(basename "$f" .txt)
    for ((i = 0; i < runs; ++i)); do
      ours+=("$(seconds "$ours_cmd" "$f")")
      theirs+=("$(seconds qqwing_one_core "$f")")
    done
    a=$(printf '%s\n' "${ours[@]}" | median)
    b=$(printf '%s\n' "${theirs[@]}" | median)
    printf '%-16s %8d %14.3f %12.3f %8.2f\n' "$name" "$(grep -c . "$f")" "$a" "$b" "$(echo "$a / $b" | bc -l)"
  done
}

for f in "${files[@]}"; do
  name=$(basename "$f" .txt)
  want=$(grep -m1 "^batch_$name " tests/digests/digests.txt | cut -d' ' -f2 || true)
  if [ -n "$want" ]; then
    got=$("$cli" --batch "$f" --jobs 1 2>/dev/null | sha256sum | cut -d' ' -f1)
    [ "$got" = "$want" ] || { echo "compare-qqwing: the batch output of $f has changed" >&2; exit 1; }
  fi
done

echo "$(nproc) cores; numplace-cli $("$cli" --version | cut -d' ' -f2); $(qqwing --version 2>&1 | head -1); $runs runs each, alternately"
table numplace_one_core "== one core each: numplace-cli --jobs 1 and qqwing, both pinned to CPU $cpu (taskset)"
if [ "$all_cores" = 1 ]; then
  table numplace_all_cores "== numplace-cli on all $(nproc) cores (default --jobs, unpinned) against qqwing on one core (CPU $cpu)"
fi
