#!/usr/bin/env bash
# Renders the splash picture that is compiled into the program (ImageMagick + WenQuanYi Zen Hei).
set -euo pipefail
cd "$(dirname "$0")"
convert -size 539x227 gradient:'#0b2a4a'-'#1f6f8b' \
    -fill '#ffffff22' -draw "circle 470,40 560,40" -fill '#ffffff14' -draw "circle 60,210 150,210" \
    -fill '#f5c542' -draw "rectangle 0,0 539,6" \
    -font /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc -fill white -pointsize 44 \
    -annotate +32+78 '辩论赛计时系统' \
    -fill '#f5c542' -pointsize 22 -annotate +34+114 'debaclock' \
    -fill '#eef6fa' -draw "roundrectangle 112,130 427,176 8,8" \
    -quality 88 splash.jpg
