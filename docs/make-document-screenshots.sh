#!/usr/bin/env bash
# Pictures of one puzzle at a time, on a real X server (Xvfb, 1280x1024) with
# a window manager (openbox), driven as a user would with the keyboard and
# the mouse: open tests/data/top95.txt, step to puzzle 2, press 答, step to
# puzzle 3. Also the step log's text with the explanation panel open, and its
# height measured. Needs xvfb, openbox, imagemagick, x11-utils and xdotool.
# Usage: docs/make-document-screenshots.sh NAME BUILD_DIR [OUT_DIR]
#   NAME names the pictures (before, after): document-NAME-ja.png ...
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
app=$2/src/app/numplace
out=${3:-docs}
collection=$PWD/tests/data/top95.txt
step=000000000003702800060354090089000160070645030000000000040000070200506004000010000

. docs/x-session.sh

# The form's 答 (Command3), its middle at (452, 84) pixels of the form at scale 1, below the menu bar.
press_answer() {
  xdotool mousemove --window "$id" 452 112 click 1
  sleep 1.5
}

for lang in ja_JP.UTF-8 en_US.UTF-8; do
  short=${lang%%_*}
  start "$lang"
  keys ctrl+o
  xdotool type --delay 20 "$collection"
  keys Return alt+Next
  press_answer
  keys alt+Next
  sleep 1
  shot "$out/document-$name-$short.png"
  stop
done

# The step log after 1 STEP ran to its end, the panel then opened from the menu.
start ja_JP.UTF-8 --grid "$step" --answer 2 --click Command7
keys alt+v e
sleep 1
shot "$out/panel-$name.png"
stop
# The height of the first step log line's ink (dark pixels only: the boxes'
# borders are grey): the step log stands at the form's left, below the small boxes.
python3 - "$out/panel-$name.png" <<'PY'
import subprocess, sys
png = sys.argv[1]
pgm = subprocess.run(["convert", png, "-crop", "70x350+0+250", "+repage", "-colorspace", "Gray", "pgm:-"],
                     check=True, capture_output=True).stdout
parts = pgm.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
pixels = parts[4]
rows = [any(pixels[y * w + x] < 80 for x in range(w)) for y in range(h)]
runs, y = [], 0
while y < h:
    if rows[y]:
        start = y
        while y < h and rows[y]:
            y += 1
        runs.append((start, y - start))
    y += 1
# A box's border is taller than a line of 9-point text at any scale; a row of
# one pixel is a stroke's foot that the threshold cut off.
lines = [r for r in runs if 1 < r[1] < 15]
inks = sorted(r[1] for r in lines)
pitches = sorted(b[0] - a[0] for a, b in zip(lines, lines[1:]))
print(f"{png}: step log lines every {pitches[len(pitches) // 2]} pixels, ink {inks[len(inks) // 2]} pixels high (medians)")
PY
