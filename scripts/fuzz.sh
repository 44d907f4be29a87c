#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) in build/fuzz and runs them.
#
#   scripts/fuzz.sh short                        every target for a fixed number of executions
#                                                (about a minute in all); fails on a finding
#   scripts/fuzz.sh campaign SECONDS [TARGET...] each target for SECONDS; prints executions,
#                                                coverage (edges) and time per target
#   scripts/fuzz.sh build                        only configure and build
#
# Targets: datafile, number, press, collection, lines (executables fuzz_<target>). The fuzzers run
# one at a time: the machine's two cores are shared. Seeds come from
# fuzz/corpus/<target>/ (read only); a campaign keeps what it learns in
# build/fuzz/corpus/<target>/, so the next campaign goes on from there.
# A finding is written to build/fuzz/findings/; replay it with
#   build/fuzz/fuzz/fuzz_<target> build/fuzz/findings/<file>
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/fuzz
all_targets=(datafile number press collection lines)

# Executions of the short pass, chosen for about a minute in all on this
# machine (the press target runs whole solver presses, hundreds per second at most).
declare -A short_runs=([datafile]=250000 [number]=250000 [press]=1500 [collection]=20000 [lines]=15000)
# Longest input each target is given: whole presses carry 81 cells, nine rows
# and three data files; the line reader repeats its text to lengths beyond a block.
declare -A max_len=([datafile]=4096 [number]=512 [press]=16384 [collection]=8192 [lines]=8192)

usage() {
  sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
}

build_targets() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DNUMPLACE_FUZZ=ON -DNUMPLACE_BUILD_APP=OFF \
      -DNUMPLACE_BUILD_TESTS=OFF -DNUMPLACE_BUILD_BENCH=OFF -DNUMPLACE_WERROR=ON -DNUMPLACE_ASSERTIONS=ON >/dev/null
  else
    # A build tree from before NUMPLACE_WERROR or the range checks existed gets them too.
    cmake "$build" -DNUMPLACE_WERROR=ON -DNUMPLACE_ASSERTIONS=ON >/dev/null
  fi
  cmake --build "$build" -j2 --target fuzz_datafile fuzz_number fuzz_press fuzz_collection fuzz_lines
}

# Runs one target; its own arguments follow. Leaves the log in $build/logs/<target>.log.
run_target() {
  local target=$1 work=$2
  shift 2
  local args=(-max_len="${max_len[$target]}" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1
              -artifact_prefix="$build/findings/$target-")
  [ -f "$root/fuzz/$target.dict" ] && args+=(-dict="$root/fuzz/$target.dict")
  mkdir -p "$work" "$build/findings" "$build/logs"
  "$build/fuzz/fuzz_$target" "${args[@]}" "$@" "$work" "$root/fuzz/corpus/$target" \
    >"$build/logs/$target.log" 2>&1
}

# "executions edges features seconds" from a finished log.
stats() {
  local log=$1
  local execs cov ft secs
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  echo "${execs:-?} ${cov:-?} ${ft:-?} ${secs:-?}"
}

report_finding() {
  local target=$1
  echo "fuzz: FINDING in fuzz_$target; log: $build/logs/$target.log" >&2
  grep -E 'ERROR|fuzz_[a-z]+: |runtime error|Test unit written|SUMMARY' "$build/logs/$target.log" | head -20 >&2
}

mode=${1:-}
case "$mode" in
  build)
    build_targets
    ;;
  short)
    build_targets
    failed=0
    for target in "${all_targets[@]}"; do
      # A fresh working corpus and a fixed seed: the same executions every time.
      work=$build/short/$target
      rm -rf "$work"
      start=$(date +%s)
      if run_target "$target" "$work" -runs="${short_runs[$target]}" -seed=1; then
        read -r execs cov _ _ < <(stats "$build/logs/$target.log")
        echo "fuzz short: fuzz_$target ok, $execs executions, cov $cov edges, $(($(date +%s) - start)) s"
      else
        report_finding "$target"
        failed=1
      fi
    done
    exit $failed
    ;;
  campaign)
    seconds=${2:-}
    [[ "$seconds" =~ ^[0-9]+$ ]] || usage
    shift 2
    if [ $# -gt 0 ]; then targets=("$@"); else targets=("${all_targets[@]}"); fi
    build_targets
    failed=0
    results=()
    for target in "${targets[@]}"; do
      [ -n "${max_len[$target]:-}" ] || { echo "fuzz: no target $target" >&2; exit 2; }
      if run_target "$target" "$build/corpus/$target" -max_total_time="$seconds"; then
        result=ok
      else
        result=FINDING
        report_finding "$target"
        failed=1
      fi
      read -r execs cov ft secs < <(stats "$build/logs/$target.log")
      results+=("$(printf '%-14s %14s %8s %9s %8s  %s' "fuzz_$target" "$execs" "$cov" "$ft" "$secs" "$result")")
    done
    printf '%-14s %14s %8s %9s %8s  %s\n' target executions edges features seconds result
    printf '%s\n' "${results[@]}"
    exit $failed
    ;;
  *)
    usage
    ;;
esac
