#!/usr/bin/env bash
# numplace FILE opens FILE: its puzzle is the one the actions after it work
# on (here saved again with --save), and a file that is no puzzle says why.
set -uo pipefail
bin=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "open_file: $*" >&2; failed=1; }

QT_QPA_PLATFORM=offscreen "$bin" --screenshot "$work/shot.png" "$data/top95.txt" --next --save "$work/second.csv" \
  2>"$work/err" || fail "top95.txt --next: status $?: $(cat "$work/err")"
second=$(sed -n 2p "$data/top95.txt")
saved=$(cut -d, -f1 "$work/second.csv" 2>/dev/null | tr -d '\n')
[ "$saved" = "$second" ] || fail "the second puzzle of top95.txt was not the one saved: $saved"
[ -s "$work/shot.png" ] || fail "no screenshot"

QT_QPA_PLATFORM=offscreen "$bin" --screenshot "$work/bad.png" "$work/missing.txt" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "a missing file: status $status"
grep -q 'missing.txt' "$work/err" || fail "a missing file is not named: $(cat "$work/err")"
# --hint as numplace-cli takes it: the level may follow; a third level
# writes the placement as an entry, the first only points.
puzzle=$(sed -n 1p "$data/se_easy.txt")
entries=1$(printf '0%.0s' $(seq 80))
for level in "" 1 3; do
  QT_QPA_PLATFORM=offscreen "$bin" --screenshot "$work/hint.png" --puzzle "$puzzle" --entries "$entries" \
    --hint $level --save-progress "$work/progress$level.txt" 2>"$work/err" ||
    fail "--hint $level: status $?: $(cat "$work/err")"
  written=$(sed -n 's/^entries //p' "$work/progress$level.txt" 2>/dev/null | tr -d '0' | wc -c)
  want=2  # the one entry and the line's end
  [ "$level" = 3 ] && want=3
  [ "$written" -eq "$want" ] || fail "--hint $level: $((written - 1)) entries saved, not $((want - 1))"
done
QT_QPA_PLATFORM=offscreen "$bin" --screenshot "$work/hint.png" --puzzle "$puzzle" --hint=4 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "--hint=4: status $status"
exit $failed
