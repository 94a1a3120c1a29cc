#!/usr/bin/env bash
# Renders Landora's icon (packaging/icons/org.landora.Landora.svg) to the PNG
# sizes of the hicolor theme, packaging/icons/<N>x<N>/. The PNGs are kept in
# the repository as generated files, so that a build needs no SVG renderer:
# run this again after changing the SVG. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../packaging/icons"
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" org.landora.Landora.svg -o "${size}x${size}/org.landora.Landora.png"
done
