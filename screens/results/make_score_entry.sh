#!/usr/bin/env bash
# Renders the background of the score entry window that is compiled into the program
# (ImageMagick + WenQuanYi Zen Hei). Light, so the black captions stay readable on it.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 429x248 gradient:'#fbf7ec'-'#e2ecf4' \
    -fill '#1f6f8b10' -draw "circle 410,20 500,20" -fill '#f5c54218' -draw "circle 18,236 90,236" \
    -fill '#1f6f8b' -draw "rectangle 0,0 428,3" \
    -fill none -stroke '#7f9bb5' -strokewidth 1 -draw "rectangle 0,0 428,247" \
    -stroke '#c9d6e2' -draw "rectangle 4,8 424,243" -stroke none \
    -font /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc -fill '#b3c3d2' -pointsize 10 \
    -annotate +364+237 'debaclock' \
    -quality 90 score_entry.jpg
