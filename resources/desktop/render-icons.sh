#!/bin/sh
# Renders the application icon's PNG sizes from icons/melorit.svg. Run it by
# hand after changing the drawing (needs rsvg-convert, Debian package
# librsvg2-bin); the PNGs are committed, so the build does not need it.
set -eu
cd "$(dirname "$0")/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" melorit.svg -o "melorit-$size.png"
done
