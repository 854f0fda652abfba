#!/usr/bin/env bash
# Renders the about window's background, compiled into the program (ImageMagick + WenQuanYi Zen
# Hei). The lower left is left plain for the version and date lines drawn over it.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 450x300 gradient:'#0b2a4a'-'#1f6f8b' \
    -fill '#ffffff1c' -draw "circle 400,50 500,50" -fill '#ffffff12' -draw "circle 40,290 130,290" \
    -fill '#f5c542' -draw "rectangle 0,0 450,5" \
    -font /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc -fill white -pointsize 36 \
    -annotate +32+72 '辩论赛计时系统' \
    -fill '#f5c542' -pointsize 20 -annotate +34+104 'debaclock' \
    -fill '#d6e7f0' -pointsize 14 \
    -annotate +34+146 '为辩论比赛而做的计时、计分与结果展示程序' \
    -annotate +34+168 'C++20 与 Qt 6，运行于 Linux 桌面' \
    -fill '#f5c54299' -draw "rectangle 34,186 416,187" \
    -quality 88 about.jpg
