#!/usr/bin/env bash
# numplace-cli --generate against the peer generator qqwing, one core against
# one core: numplace-cli with --jobs 1 and qqwing --generate --one-line, both
# pinned to the same processor (taskset -c CPU, default 1), whole process.
# The two run alternately, RUNS times each (default 5), each run of
# numplace-cli with a seed of its own (1, 2, ...), and the medians are
# printed: first 200 puzzles of any level (ratio qqwing / numplace, higher is
# better), then puzzles a second for each level of this program's grade,
# beside qqwing's rate at the difficulty whose puzzles this program grades
# nearest to that level (simple: all level 1; easy: mostly 2; intermediate:
# 3 to 6; expert: mostly 6, some 7).
#
# Installs qqwing (Debian package; a developer tool, not a test dependency)
# when it is missing and builds the default preset when numplace-cli is not
# built. qqwing is only timed: its puzzles are thrown away.
#
#   bench/compare-generate.sh [--cpu N] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cpu=1
while [ $# -gt 0 ]; do
  case $1 in
    --cpu) cpu=$2; shift 2 ;;
    *) break ;;
  esac
done
runs=${1:-5}

source bench/timing.sh
need_qqwing_and_cli
run=0
numplace() { run=$((run + 1)); taskset -c "$cpu" "$cli" --generate "$@" --jobs 1 --seed "$run"; }
qqwing_generate() { taskset -c "$cpu" qqwing --generate "$@" --one-line; }

# pair "OURS ARGS" "THEIRS ARGS": RUNS runs of each, alternately; the
# medians in $ours and $theirs (seconds).
pair() {
  times_ours=()
  times_theirs=()
  for ((i = 0; i < runs; ++i)); do
    # shellcheck disable=SC2086
    times_ours+=("$(seconds numplace $1)")
    # shellcheck disable=SC2086
    times_theirs+=("$(seconds qqwing_generate $2)")
  done
  ours=$(printf '%s\n' "${times_ours[@]}" | median)
  theirs=$(printf '%s\n' "${times_theirs[@]}" | median)
}

echo "$(nproc) cores; numplace-cli $("$cli" --version | cut -d' ' -f2); $(qqwing --version 2>&1 | head -1); $runs runs each, alternately, both pinned to CPU $cpu; load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== 200 puzzles of any level"
pair "200" "200"
printf '%-22s %10s %12s\n' "" seconds puzzles/s
printf '%-22s %10.3f %12.0f\n' "numplace-cli" "$ours" "$(echo "200 / $ours" | bc -l)"
printf '%-22s %10.3f %12.0f\n' "qqwing" "$theirs" "$(echo "200 / $theirs" | bc -l)"
printf 'numplace-cli is %.1f times as fast\n' "$(echo "$theirs / $ours" | bc -l)"

echo "== puzzles a second by level (numplace-cli: count per run; qqwing: its nearest difficulty)"
printf '%-3s %-10s %6s %14s   %-13s %6s %10s\n' "" level count numplace/s difficulty count qqwing/s
levels=(easy medium hard expert fiendish trial beyond)
counts=(200 200 200 100 100 200 50)
difficulty=(simple easy intermediate intermediate intermediate expert expert)
theirs_count=(20 100 50 50 50 100 100)
for l in 0 1 2 3 4 5 6; do
  pair "${counts[$l]} --level ${levels[$l]}" "${theirs_count[$l]} --difficulty ${difficulty[$l]}"
  printf '%-3s %-10s %6d %14.0f   %-13s %6d %10.1f\n' "$((l + 1))" "${levels[$l]}" "${counts[$l]}" \
    "$(echo "${counts[$l]} / $ours" | bc -l)" "${difficulty[$l]}" "${theirs_count[$l]}" \
    "$(echo "${theirs_count[$l]} / $theirs" | bc -l)"
done
