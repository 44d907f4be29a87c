#!/usr/bin/env bash
# Sets up, builds and runs every test: the plain build, then the build under
# AddressSanitizer and UndefinedBehaviorSanitizer. Headless throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
scripts/setup.sh default sanitize
jobs=$(nproc 2>/dev/null || echo 2)
echo "== tests (plain build)"
ctest --preset default -j"$jobs"
echo "== fuzz (short pass)"
scripts/fuzz.sh short
echo "== tests (ASan + UBSan build)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --preset sanitize -j"$jobs"
