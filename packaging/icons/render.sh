#!/usr/bin/env bash
# Renders the PNG sizes of the icon from numplace.svg (needs rsvg-convert,
# Debian package librsvg2-bin). The PNGs are kept in the repository, so
# building and installing do not need it; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" numplace.svg --output "${size}x${size}/numplace.png"
done
