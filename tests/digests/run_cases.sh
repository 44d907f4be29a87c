#!/usr/bin/env bash
# Runs every case of cases.tsv with a numplace-cli, in tests/data, and hashes
# each case's standard output (SHA-256).
#
#   run_cases.sh CLI --write   record the digests in digests.txt
#   run_cases.sh CLI           compare with digests.txt; fails on any difference
#   run_cases.sh CLI --every N compare only every Nth case (the sanitized build)
#   run_cases.sh CLI --show NAME   print the output of one case
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

if [ "$mode" = --show ]; then
  line=$(grep -P "^\Q$3\E\t" "$here/cases.tsv" || grep -Px "\Q$3\E" "$here/cases.tsv")
  case_args "$line"
  exec "$cli" "${args[@]}"
fi

# The digest of one case's output; a run killed by a signal is said so.
run_case() {
  local status
  set +o pipefail
  { "$cli" "${args[@]}" 2>/dev/null; echo "$?" >"$out.status"; } | sha256sum | cut -d' ' -f1
  set -o pipefail
  status=$(cat "$out.status")
  [ "$status" -lt 128 ] || echo "run_cases: $name: numplace-cli ended by signal $((status - 128))" >&2
}

out=$(mktemp)
trap 'rm -f "$out" "$out.status"' EXIT
n=0
checked=0
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  n=$((n + 1))
  [ $(((n - 1) % every)) -eq 0 ] || continue
  name=${line%%$'\t'*}
  case_args "$line"
  # stderr is left out: it holds the batch's timing line.
  digest=$(run_case)
  echo "$name $digest" >>"$out"
  checked=$((checked + 1))
done <"$here/cases.tsv"

if [ "$mode" = --write ]; then
  cp "$out" "$here/digests.txt"
  echo "run_cases: wrote $checked digests"
  exit 0
fi
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
    # Once more, to tell a changed output from a disturbed run.
    case_args "$(grep -P "^\Q$name\E\t" "$here/cases.tsv")"
    again=$(run_case)
    if [ "$again" = "$digest" ]; then
      echo "run_cases: $name differs (see: $0 CLI --show $name)" >&2
    else
      echo "run_cases: $name differs, and differently when run again: not deterministic or disturbed" >&2
    fi
    failed=$((failed + 1))
  fi
done <"$out"
echo "run_cases: $checked cases, $failed differ"
[ "$failed" -eq 0 ]
