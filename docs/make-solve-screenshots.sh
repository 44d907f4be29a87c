#!/usr/bin/env bash
# Pictures of solving it yourself and of new puzzles, on a real X server
# (Xvfb, 1280x1024) with a window manager (openbox), in Japanese and in
# English: a hint at level 1 with its unit marked, the check of entries with
# a wrong one marked, the 新しい問題 dialog and the puzzle it made, and the
# dialog of 印刷. Needs xvfb, openbox, imagemagick, x11-utils and xdotool.
# Usage: docs/make-solve-screenshots.sh BUILD_DIR [OUT_DIR]
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$0")/.."
# One X server for each language, each as a user would start it.
if [ -z "${LANG_OF_SHOTS:-}" ]; then
  for lang in ja_JP.UTF-8 en_US.UTF-8; do LANG_OF_SHOTS=$lang "$self" "$@"; done
  exit
fi
app=$1/src/app/numplace
out=${2:-docs}
puzzle=$(sed -n 1p tests/data/se_easy.txt)
# Two right entries and a wrong one that clashes with no given (the
# solution's first row is 158723469).
entries=108090000$(printf '0%.0s' $(seq 72))
# One right entry, for the hint.
right=100000000$(printf '0%.0s' $(seq 72))

. docs/x-session.sh

lang=$LANG_OF_SHOTS
short=${lang%%_*}
start "$lang" --puzzle "$puzzle" --entries "$right" --hint 1
shot "$out/solve-hint-$short.png"
stop
start "$lang" --puzzle "$puzzle" --entries "$entries"
keys ctrl+k
shot "$out/solve-check-$short.png"
stop
start "$lang"
keys ctrl+n
shot "$out/generate-dialog-$short.png"
keys Return
sleep 3
shot "$out/generate-result-$short.png"
stop
if [ "$short" = ja ]; then
  start "$lang" --open tests/data/top95.txt
  keys ctrl+p
  shot "$out/print-dialog-ja.png"
  stop
fi
