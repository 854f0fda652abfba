#!/usr/bin/env bash
# Renders the PNG sizes of the icon from debaclock.svg (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w $size -h $size debaclock.svg -o debaclock-$size.png
done
