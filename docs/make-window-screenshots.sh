#!/usr/bin/env bash
# Screenshots of the main window on a real X server (Xvfb, 1280x1024) with a
# window manager (openbox): Japanese and English, menus open. Needs xvfb,
# openbox, imagemagick (import), x11-utils and xdotool.
# Usage: docs/make-window-screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
out=${2:-docs}
app=$build/src/app/numplace
puzzle=53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79
hard=$(sed -n 4p tests/data/top95.txt)
clash=535.7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79

. docs/x-session.sh

# shoot NAME LANG PANEL KEYS ACTIONS...: starts the window with the actions,
# types KEYS (xdotool names, blank-separated; "-" for none), and saves the
# screen's part that holds the window and its open menu.
shoot() {
  local name=$1 lang=$2 panel=$3 keys=$4
  shift 4
  mkdir -p "$XDG_CONFIG_HOME/numplace"
  printf '[view]\nexplanation=%s\n' "$panel" >"$XDG_CONFIG_HOME/numplace/numplace.conf"
  LANG=$lang LC_ALL=$lang LANGUAGE= "$app" "$@" >/dev/null 2>&1 &
  local pid=$!
  local id
  id=$(xdotool search --sync --onlyvisible --classname numplace | tail -1)
  sleep 2
  if [ "$keys" != - ]; then
    for key in $keys; do
      xdotool key --window "$id" "$key"
      sleep 0.6
    done
  fi
  sleep 1
  # The frame and the menu: the screen's top-left part, as wide and high as the window with its frame.
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "$((X + WIDTH + 4))x$((Y + HEIGHT + 4))+0+0" +repage "$out/$name.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

shoot window-ja-answer ja_JP.UTF-8 true - --grid "$puzzle" --click Command3
shoot window-ja-unreached ja_JP.UTF-8 true "alt+v" --grid "$hard" --click Command3
shoot window-ja-solution ja_JP.UTF-8 false "alt+v s" --grid "$hard" --click Command3
shoot window-ja-edit-menu ja_JP.UTF-8 false "alt+e" --grid "$clash"
shoot window-ja-file-menu ja_JP.UTF-8 false "alt+f" --grid "$puzzle"
shoot window-en-answer en_US.UTF-8 true "alt+e" --grid "$puzzle" --click Command3
shoot window-en-clash en_US.UTF-8 false - --grid "$clash"

# Before: the form alone, as the window was (the form itself is unchanged);
# after: the same run in the main window.
QT_QPA_PLATFORM=offscreen "$app" --screenshot "$out/window-before.png" --grid "$puzzle" --click Command3
convert "$out/window-before.png" -bordercolor gray60 -border 1 "$out/window-ja-answer.png" -background white \
  -gravity north +append -resize 60% "$out/before-after-window.png"
rm "$out/window-before.png"
