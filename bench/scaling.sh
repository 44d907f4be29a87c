#!/usr/bin/env bash
# How batch solving scales with --jobs, and how long "答" takes in the window.
#
#   bench/scaling.sh [RUNS] [FILE]   (default: 5 runs, tests/data/17clue.txt)
#
# 1. numplace-cli --batch FILE --jobs N for N = 1, 2, ..., the number of
#    cores (alternately, RUNS times each): median seconds, the speed-up over
#    --jobs 1, and whether the output is byte for byte that of --jobs 1.
# 2. The real window, offscreen: every puzzle of tests/data/top95.txt typed
#    into the grid, "答" clicked, the window repainted; the time from the
#    click to the finished picture (numplace_window_bench).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
file=${2:-tests/data/17clue.txt}
build=$PWD/build/default
[ -x "$build/numplace-cli" ] && [ -x "$build/bench/numplace_window_bench" ] || scripts/setup.sh default >/dev/null
cli=$build/numplace-cli
cores=$(nproc)

source bench/timing.sh

echo "== --jobs scaling on $file ($cores cores, $runs runs each, alternately)"
reference=$("$cli" --batch "$file" --jobs 1 2>/dev/null | sha256sum)
declare -A times
for ((i = 0; i < runs; ++i)); do
  for ((n = 1; n <= cores; ++n)); do times[$n]+="$(seconds "$cli" --batch "$file" --jobs "$n") "; done
done
one=$(printf '%s\n' ${times[1]} | median)
printf '%-6s %10s %9s %s\n' jobs seconds speed-up output
for ((n = 1; n <= cores; ++n)); do
  m=$(printf '%s\n' ${times[$n]} | median)
  same=$([ "$("$cli" --batch "$file" --jobs "$n" 2>/dev/null | sha256sum)" = "$reference" ] && echo identical || echo DIFFERENT)
  printf '%-6d %10.3f %9.2f %s\n' "$n" "$m" "$(echo "$one / $m" | bc -l)" "$same"
done

echo "== 答 in the window, from the click to the finished picture"
XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)} QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
  "$build/bench/numplace_window_bench" tests/data/top95.txt | tail -1
