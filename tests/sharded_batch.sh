#!/usr/bin/env bash
# A batch spread over processes with GNU parallel, as over several machines
# (--pipe -k -N 1000: blocks of 1000 lines, each to its own numplace-cli,
# outputs kept in input order), gives byte for byte the output of one
# process. Exits 77 (skipped) when GNU parallel is not installed.
#
#   sharded_batch.sh CLI DATA_DIR
set -euo pipefail
if ! command -v parallel >/dev/null; then
  echo "SKIP: GNU parallel is not installed (Debian package parallel)"
  exit 77
fi
cli=$(realpath "${1:?usage: sharded_batch.sh CLI DATA_DIR}")
data=${2:?usage: sharded_batch.sh CLI DATA_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat "$data/17clue.txt" "$data/top95.txt" "$data/csv/batch_mixed.txt" "$data/se_easy.txt" >"$work/in.txt"

# The input holds lines that are not puzzles: a batch that skips some exits 3,
# which is no failure here.
cat >"$work/batch" <<EOF
#!/bin/sh
"$cli" --batch "\$@"
status=\$?
[ \$status -eq 3 ] && exit 0
exit \$status
EOF
chmod +x "$work/batch"
batch() { "$work/batch" "$@"; }
# parallel keeps its state under the home folder: give it one of its own.
sharded() { HOME=$work parallel --will-cite --pipe -k -N 1000 "$work/batch" - "$@" <"$work/in.txt" 2>/dev/null; }

failed=0
batch "$work/in.txt" >"$work/one.txt" 2>/dev/null
sharded >"$work/sharded.txt"
if ! cmp "$work/one.txt" "$work/sharded.txt"; then
  echo "FAIL: the sharded text lines differ from one process's"
  failed=1
fi
# JSON lines: "line" counts the lines of each process's own input.
batch "$work/in.txt" --json 2>/dev/null | sed -E 's/^\{"line":[0-9]+,/{/' >"$work/one.json"
sharded --json | sed -E 's/^\{"line":[0-9]+,/{/' >"$work/sharded.json"
if ! cmp "$work/one.json" "$work/sharded.json"; then
  echo "FAIL: the sharded JSON lines differ from one process's"
  failed=1
fi
echo "sharded_batch: $(wc -l <"$work/one.txt") lines, $(wc -l <"$work/in.txt") input lines in blocks of 1000"
exit "$failed"
