# shellcheck shell=bash
# Sourced by the picture scripts: an X server (Xvfb, 1280x1024) with a window
# manager (openbox), ended with the script, and the steps of driving the
# window on it. Needs $app (the window's program).
XDG_RUNTIME_DIR=$(mktemp -d)
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_RUNTIME_DIR XDG_CONFIG_HOME
display=:$((50 + RANDOM % 40))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
sleep 1

# start LANG ACTIONS...: the window in LANG with the panel closed; $pid, $id.
start() {
  local lang=$1
  shift
  mkdir -p "$XDG_CONFIG_HOME/numplace"
  printf '[view]\nexplanation=false\n' >"$XDG_CONFIG_HOME/numplace/numplace.conf"
  LANG=$lang LC_ALL=$lang LANGUAGE="" "$app" "$@" >/dev/null 2>&1 &
  pid=$!
  id=$(xdotool search --sync --onlyvisible --classname numplace | tail -1)
  sleep 2
}
# keys KEY...: xdotool key names, one after another.
keys() {
  for key in "$@"; do
    xdotool key "$key"  # to the focused window: keys sent with --window once reached the form twice
    sleep 1
  done
}
# shot FILE: the screen's part that holds the window and whatever it opened.
shot() {
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "$((X + WIDTH + 4))x$((Y + HEIGHT + 4))+0+0" +repage "$1"
}
stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
