#!/usr/bin/env bash
# Fails on any C++ file of src/, tests/, bench/ and fuzz/ that is not formatted
# as .clang-format says, and shows for each the first lines clang-format would
# change (a unified diff: - as written, + as formatted).
#
#   scripts/format-check.sh [FILE...]   (default: every .cpp and .h of those folders)
#
# Fix a file with: clang-format-14 -i FILE
#
# clang-format 14 (Debian 12) only: other versions format some constructs
# differently, so a file clean under one can fail under another.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Files named relative to where the script was called from.
given=()
for f in "$@"; do given+=("$(realpath -m --relative-to="$root" "$f")"); done
cd "$root"

format=clang-format-14
if ! command -v "$format" >/dev/null; then
  echo "format-check: $format not found (scripts/setup.sh installs clang-format)" >&2
  exit 2
fi
# Lines of diff shown per file.
shown=30

if [ ${#given[@]} -gt 0 ]; then
  files=("${given[@]}")
  for f in "${files[@]}"; do
    [ -f "$f" ] || { echo "format-check: no file $f" >&2; exit 2; }
  done
else
  mapfile -t files < <(find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
fi

# One clang-format for all files finds the unformatted ones (one process per
# file takes many times longer on a busy machine); each of those is then shown.
status=0
report=$("$format" --style=file --dry-run --Werror "${files[@]}" 2>&1) || status=$?
mapfile -t bad < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | uniq)
if [ "$status" -ne 0 ] && [ ${#bad[@]} -eq 0 ]; then
  # clang-format failed for another reason (a missing file, a bad .clang-format).
  echo "$report" >&2
  exit 2
fi

formatted=$(mktemp)
trap 'rm -f "$formatted"' EXIT
for f in "${bad[@]}"; do
  "$format" --style=file "$f" >"$formatted"
  difference=$(diff -u --label "$f (as written)" --label "$f (as formatted)" "$f" "$formatted") || true
  echo "format-check: $f is not formatted:"
  lines=$(wc -l <<<"$difference")
  head -n "$shown" <<<"$difference"
  [ "$lines" -le "$shown" ] || echo "... ($((lines - shown)) more lines)"
done

if [ ${#bad[@]} -gt 0 ]; then
  echo "format-check: ${#bad[@]} of ${#files[@]} files not formatted; fix with: $format -i ${bad[*]}" >&2
  exit 1
fi
echo "format-check: ${#files[@]} files formatted"
