#!/usr/bin/env bash
# Renders the icon artwork (src/ui/app/icons/*.svg) to the PNG sizes that the
# program embeds. Run it after changing a drawing and commit the PNG files:
# the build itself needs no SVG support.
set -euo pipefail
cd "$(dirname "$0")/../../src/ui/app/icons"
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert (Debian: librsvg2-bin)"; exit 1; }
for svg in *.svg; do
  name=${svg%.svg}
  for size in 16 24 32 48 64 128; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "${name}_${size}.png"
  done
done
