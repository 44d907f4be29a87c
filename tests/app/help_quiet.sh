#!/usr/bin/env bash
# numplace --help and --version print their text and nothing on standard
# error, with no display and no XDG_RUNTIME_DIR, as in a bare terminal.
set -uo pipefail
bin=$1
failed=0
for option in --help -h --version -v; do
  err=$(mktemp)
  out=$(env -u XDG_RUNTIME_DIR -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" "$option" 2>"$err")
  status=$?
  if [ "$status" -ne 0 ] || [ -z "$out" ] || [ -s "$err" ]; then
    echo "help_quiet: $option: status $status, $(wc -c <<<"$out") bytes out, standard error:" >&2
    cat "$err" >&2
    failed=1
  fi
  rm -f "$err"
done
exit $failed
