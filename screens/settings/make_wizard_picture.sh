#!/usr/bin/env bash
# Renders the designed background of the settings windows, compiled into the program and shown
# until a theme picture replaces it (ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
convert -size 800x600 gradient:'#eef4f8'-'#c9dbe6' \
    -fill '#ffffff55' -draw "circle 690,90 820,90" -fill '#ffffff33' -draw "circle 90,560 230,560" \
    -fill '#2b6a8c' -draw "rectangle 0,0 800,5" \
    -quality 88 wizard.jpg
