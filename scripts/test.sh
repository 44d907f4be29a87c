#!/usr/bin/env bash
# Sets up, builds and checks everything: the formatting, the static analysis,
# the tests of the plain build, a short fuzz pass, then the tests of the build
# under AddressSanitizer and UndefinedBehaviorSanitizer. Headless throughout.
#
# A failed setup or build stops at once (nothing after it could run). Every
# check after that runs even when an earlier one failed, so that one run shows
# every finding; the script then ends with a table of the steps and fails if
# any failed.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
jobs=$(nproc 2>/dev/null || echo 2)

summary=()
failed=0
# step NAME COMMAND...: runs the command, notes its result and its time.
step() {
  local name=$1 start status=0
  shift
  echo "== $name"
  start=$(date +%s)
  "$@" || status=$?
  local result=ok
  if [ "$status" -ne 0 ]; then
    result="FAILED (exit $status)"
    failed=1
  fi
  summary+=("$(printf '%-28s %6s s  %s' "$name" "$(($(date +%s) - start))" "$result")")
}

begin=$(date +%s)
start=$begin
echo "== setup and build (default, sanitize)"
scripts/setup.sh default sanitize || { echo "test: setup or build FAILED" >&2; exit 1; }
summary+=("$(printf '%-28s %6s s  %s' "setup and build" "$(($(date +%s) - start))" ok)")

# The quick checks first: their findings show before the long test runs.
step "format" scripts/format-check.sh
step "static analysis" scripts/static-analysis.sh
step "tests (plain build)" ctest --preset default -j"$jobs"
step "fuzz (short pass)" scripts/fuzz.sh short
step "tests (ASan + UBSan build)" env ASAN_OPTIONS=detect_leaks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --preset sanitize -j"$jobs"

echo "== summary"
printf '%s\n' "${summary[@]}"
printf '%-28s %6s s\n' "total" "$(($(date +%s) - begin))"
if [ "$failed" -ne 0 ]; then
  echo "test: FAILED (see the steps above)" >&2
  exit 1
fi
echo "test: all passed"
