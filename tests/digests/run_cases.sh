#!/usr/bin/env bash
# Runs every case of cases.tsv with a numplace-cli, in tests/data, and compares
# each case's standard output with the one recorded: its SHA-256 in
# digests.txt, the output itself in expected/NAME.xz (one file per case, so a
# changed case changes one small file).
#
#   run_cases.sh CLI --write        record the digests and the outputs of this build
#   run_cases.sh CLI                compare; a differing case shows its first differing lines
#   run_cases.sh CLI --every N      compare only every Nth case (the sanitized build)
#   run_cases.sh CLI --show NAME    print the output of one case
#   run_cases.sh CLI --expected NAME   print the recorded output of one case
#
# A difference means that something the program shows has changed: a trace
# line, a summary line, a control text or a batch line.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "$1")
mode=${2:-check}
every=1
if [ "$mode" = --every ]; then
  every=${3:?--every needs a number}
  mode=check
fi
expected=$here/expected
# Lines of diff shown per differing case, and how many cases get one.
shown_lines=40
shown_cases=5
cd "$here/../data"

# The arguments of a case line, with <empty> standing for an empty argument.
case_args() {
  local line=$1
  IFS=$'\t' read -r -a fields <<<"$line"
  args=()
  for f in "${fields[@]:1}"; do
    if [ "$f" = "<empty>" ]; then args+=(""); else args+=("$f"); fi
  done
}

case_line() { grep -P "^\Q$1\E\t" "$here/cases.tsv" || grep -Px "\Q$1\E" "$here/cases.tsv"; }

if [ "$mode" = --show ]; then
  case_args "$(case_line "$3")"
  exec "$cli" "${args[@]}"
fi
if [ "$mode" = --expected ]; then
  exec xz -dc "$expected/$3.xz"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The digest of the output of the case in args; with a FILE, the output is
# kept there too. A run killed by a signal is said so. stderr is left out: it
# holds the batch's timing line.
run_case() {
  set +o pipefail
  if [ $# -gt 0 ]; then
    { "$cli" "${args[@]}" 2>/dev/null </dev/null; echo "$?" >"$work/status"; } | tee "$1" | sha256sum | cut -d' ' -f1
  else
    { "$cli" "${args[@]}" 2>/dev/null </dev/null; echo "$?" >"$work/status"; } | sha256sum | cut -d' ' -f1
  fi
  set -o pipefail
  local status
  status=$(cat "$work/status")
  [ "$status" -lt 128 ] || echo "run_cases: $name: numplace-cli ended by signal $((status - 128))" >&2
}

if [ "$mode" = --write ]; then
  mkdir "$work/expected"
  checked=0
  while IFS= read -r line; do
    [[ -z "$line" || "$line" == \#* ]] && continue
    name=${line%%$'\t'*}
    case_args "$line"
    echo "$name $(run_case "$work/out")" >>"$work/digests"
    # xz -3: a tenth of the time of the default level for about a fifth more bytes.
    xz -3 -T1 -c "$work/out" >"$work/expected/$name.xz"
    checked=$((checked + 1))
  done <"$here/cases.tsv"
  cp "$work/digests" "$here/digests.txt"
  # Replaced whole: the outputs of cases no longer in cases.tsv go.
  rm -rf "$expected"
  mv "$work/expected" "$expected"
  echo "run_cases: wrote $checked digests and outputs ($(du -sk "$expected" | cut -f1) KiB in expected/)"
  exit 0
fi

n=0
checked=0
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  n=$((n + 1))
  [ $(((n - 1) % every)) -eq 0 ] || continue
  name=${line%%$'\t'*}
  case_args "$line"
  echo "$name $(run_case)" >>"$work/digests"
  checked=$((checked + 1))
done <"$here/cases.tsv"

# The first lines where this build's output of a case differs from the
# recorded one, as a unified diff.
show_difference() {
  local name=$1 lines difference
  if [ ! -f "$expected/$name.xz" ]; then
    echo "run_cases: $name: no recorded output (expected/$name.xz); record with --write" >&2
    return
  fi
  xz -dc "$expected/$name.xz" >"$work/expected_output"
  if [ "$(sha256sum <"$work/expected_output" | cut -d' ' -f1)" != "${recorded[$name]}" ]; then
    echo "run_cases: $name: expected/$name.xz is not the output digests.txt records; record both with --write" >&2
  fi
  difference=$(diff -a -u --label "$name (recorded)" --label "$name (this build)" \
    "$work/expected_output" "$work/again") || true
  lines=$(wc -l <<<"$difference")
  head -n "$shown_lines" <<<"$difference" >&2
  [ "$lines" -le "$shown_lines" ] || echo "... ($((lines - shown_lines)) more lines of diff)" >&2
}

# Compare the cases that ran against the recorded digests.
declare -A recorded
while read -r name digest; do recorded[$name]=$digest; done <"$here/digests.txt"
failed=0
while read -r name digest; do
  want=${recorded[$name]:-}
  if [ -z "$want" ]; then
    echo "run_cases: $name has no recorded digest" >&2
    failed=$((failed + 1))
  elif [ "$want" != "$digest" ]; then
    # Once more, keeping the output, to tell a changed output from a
    # disturbed run.
    case_args "$(case_line "$name")"
    again=$(run_case "$work/again")
    if [ "$again" = "$digest" ]; then
      echo "run_cases: $name differs (see: $0 CLI --show $name)" >&2
    else
      echo "run_cases: $name differs, and differently when run again: not deterministic or disturbed" >&2
    fi
    failed=$((failed + 1))
    [ "$failed" -gt "$shown_cases" ] || show_difference "$name"
  elif [ ! -f "$expected/$name.xz" ]; then
    echo "run_cases: $name: no recorded output (expected/$name.xz); record with --write" >&2
    failed=$((failed + 1))
  fi
done <"$work/digests"
[ "$failed" -le "$shown_cases" ] || echo "run_cases: the first $shown_cases differing cases are shown" >&2
echo "run_cases: $checked cases, $failed differ"
[ "$failed" -eq 0 ]
