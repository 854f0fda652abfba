#!/usr/bin/env bash
# Draws every picture that debaclock ships, with ImageMagick only:
# gradients, shapes and text in WenQuanYi Zen Hei. Called by make_data.sh as
#   pictures.sh DATA_DIR WORK_DIR
# WORK_DIR receives the slide pages that pdf.py turns into the sample presentations.
set -euo pipefail

DATA=$1
WORK=$2
FONT=${DEBACLOCK_FONT:-WenQuanYi-Zen-Hei}
W=1920
H=1080
Q=(-strip -interlace none -sampling-factor 4:2:0 -quality 84)

# ------------------------------------------------------------------ helpers

# Pseudo-random shapes from awk with a fixed seed, so every run draws the same picture.
# confetti SEED COUNT X0 Y0 X1 Y1 -> MVG draw commands
confetti() {
    awk -v seed="$1" -v n="$2" -v x0="$3" -v y0="$4" -v x1="$5" -v y1="$6" 'BEGIN {
        srand(seed)
        split("#f6d365 #fda085 #f5576c #ffffff #84fab0 #8fd3f4 #ffd86f", c, " ")
        for (i = 0; i < n; i++) {
            x = int(x0 + rand() * (x1 - x0)); y = int(y0 + rand() * (y1 - y0))
            col = c[1 + int(rand() * 7)]; s = 6 + int(rand() * 12)
            printf "fill %s fill-opacity %.2f ", col, 0.45 + rand() * 0.5
            if (rand() < 0.5) printf "circle %d,%d %d,%d ", x, y, x + s / 2, y
            else printf "polygon %d,%d %d,%d %d,%d %d,%d ", x, y, x + s, y + s / 3, x + s - 3, y + s, x - 3, y + s * 2 / 3
        }
    }'
}

# rays CX CY COUNT RADIUS -> alternate light wedges around a centre
rays() {
    awk -v cx="$1" -v cy="$2" -v n="$3" -v r="$4" 'BEGIN {
        pi = atan2(0, -1)
        for (i = 0; i < n; i++) {
            a0 = 2 * pi * i / n; a1 = a0 + pi / n
            printf "polygon %d,%d %d,%d %d,%d ", cx, cy, cx + r * cos(a0), cy + r * sin(a0), cx + r * cos(a1), cy + r * sin(a1)
        }
    }'
}

# stars COUNT SEED X0 Y0 X1 Y1 -> small five-pointed stars
stars() {
    awk -v n="$1" -v seed="$2" -v x0="$3" -v y0="$4" -v x1="$5" -v y1="$6" 'BEGIN {
        srand(seed); pi = atan2(0, -1)
        for (k = 0; k < n; k++) {
            cx = x0 + rand() * (x1 - x0); cy = y0 + rand() * (y1 - y0); R = 8 + rand() * 16; r = R * 0.42
            printf "fill-opacity %.2f polygon", 0.35 + rand() * 0.6
            for (i = 0; i < 10; i++) {
                a = -pi / 2 + i * pi / 5; rr = (i % 2) ? r : R
                printf " %d,%d", cx + rr * cos(a), cy + rr * sin(a)
            }
            printf " "
        }
    }'
}

# A lectern at left edge X (body colour, top colour), standing on the stage.
podium() {
    local x=$1 c=$2 l=$3
    echo "fill $c polygon $x,700 $((x + 220)),700 $((x + 200)),950 $((x + 20)),950" \
         "fill $l polygon $((x - 20)),678 $((x + 240)),678 $((x + 228)),704 $((x - 8)),704" \
         "fill black fill-opacity 0.25 polygon $x,704 $((x + 40)),704 $((x + 48)),950 $((x + 20)),950" \
         "fill-opacity 1 fill #e8c36a rectangle $((x + 22)),758 $((x + 198)),763"
}

# stage OUT CENTRE EDGE FLOOR: spotlit stage backdrop as a PNG layer for the pictures below
stage() {
    local out=$1 centre=$2 edge=$3 floor=$4
    convert -size ${W}x${H} xc: \
        -sparse-color Shepards "960,260 $centre  0,0 $edge  1920,0 $edge  0,900 #070a1a  1920,900 #070a1a  960,1080 #0c1024" \
        \( -size ${W}x${H} xc:black -fill white \
           -draw "fill-opacity 0.10 polygon 800,0 1120,0 1460,1000 460,1000" \
           -draw "fill-opacity 0.06 polygon 180,0 380,0 700,1000 80,1000" \
           -draw "fill-opacity 0.06 polygon 1540,0 1740,0 1840,1000 1220,1000" -blur 0x40 \) \
        -compose screen -composite \
        -fill "$floor" -draw "ellipse 960,1160 1120,300 0,360" \
        \( -size ${W}x${H} xc:black -fill '#fff1c8' -draw "fill-opacity 0.32 ellipse 960,985 540,80 0,360" -blur 0x35 \) \
        -compose screen -composite \
        \( -size ${W}x${H} xc:black -stroke '#f2cf7a' -strokewidth 5 -fill none -draw "ellipse 960,1160 1120,300 0,360" -blur 0x7 \) \
        -compose screen -composite \
        -stroke '#f6dc98' -strokewidth 2 -fill none -draw "ellipse 960,1160 1120,300 0,360" -stroke none \
        "$out"
}


mkdir -p "$WORK"

# ------------------------------------------------------------ main screen
# Fallback picture of the main screen.
stage "$WORK/stage_navy.png" '#2c3f82' '#0b1130' '#141a36'
convert "$WORK/stage_navy.png" \
    -draw "$(podium 250 '#7a1624' '#9b2232')" -draw "$(podium 1450 '#14326f' '#1f4690')" \
    -font "$FONT" -pointsize 46 -fill '#f3e2b0' -gravity northwest -annotate +314+790 '正方' -annotate +1514+790 '反方' \
    \( -size ${W}x${H} xc:none -font "$FONT" -pointsize 230 -fill black -gravity center -annotate +0-190 '辩论赛' -blur 0x14 \) \
    -compose over -composite \
    -font "$FONT" -gravity center -pointsize 230 -fill '#f4cd6b' -annotate +0-190 '辩论赛' \
    -pointsize 40 -fill '#d9c48c' -kerning 18 -annotate +9-10 'DEBATE COMPETITION' -kerning 0 \
    -fill '#d9c48c' -draw "rectangle 560,568 780,570 rectangle 1140,568 1360,570" \
    "${Q[@]}" "$DATA/background/main/default.jpg"

# The sample debate's own main picture, named in config/main.ini.
stage "$WORK/stage_purple.png" '#4b2f86' '#130c2e' '#1a1438'
convert "$WORK/stage_purple.png" \
    -draw "$(podium 250 '#7a1624' '#9b2232')" -draw "$(podium 1450 '#14326f' '#1f4690')" \
    -font "$FONT" -pointsize 46 -fill '#f3e2b0' -gravity northwest -annotate +314+790 '正方' -annotate +1514+790 '反方' \
    \( -size ${W}x${H} xc:none -font "$FONT" -gravity center -fill black \
       -pointsize 84 -annotate +0-330 '第五届“星河杯”' -pointsize 170 -annotate +0-150 '大学生辩论赛' -blur 0x14 \) \
    -compose over -composite \
    -font "$FONT" -gravity center -fill '#f7e3a6' -pointsize 84 -annotate +0-330 '第五届“星河杯”' \
    -fill '#f4cd6b' -pointsize 170 -annotate +0-150 '大学生辩论赛' \
    -fill '#e0cfa0' -pointsize 44 -annotate +0+20 '科技进步  ·  让人更自由吗？' \
    -fill '#d9c48c' -draw "rectangle 520,630 1400,632" \
    "${Q[@]}" "$DATA/background/main/xinghe.jpg"

# ------------------------------------------------------------ clock screen
# Dark and calm, so a large clock reads well from the back of the hall.
convert -size ${W}x${H} xc: \
    -sparse-color Shepards '960,540 #141c33  0,0 #070a14  1920,0 #070a14  0,1080 #06080f  1920,1080 #06080f' \
    \( -size ${W}x${H} xc:black -fill none -stroke '#3a4a78' -strokewidth 3 \
       -draw "circle 960,540 960,80" -strokewidth 1 -draw "circle 960,540 960,40" -blur 0x2 \
       -channel RGB -evaluate multiply 0.45 +channel \) -compose screen -composite \
    -fill '#24304f' -draw "rectangle 0,60 1920,61 rectangle 0,1018 1920,1019" \
    -font "$FONT" -pointsize 26 -fill '#2c3757' -gravity south -annotate +0+24 'debaclock' \
    "${Q[@]}" "$DATA/background/jishi/clock_dark.jpg"

# Light, for the styles whose captions and turn clocks are drawn in black.
convert -size ${W}x${H} xc: \
    -sparse-color Shepards '960,540 #f4f6fa  0,0 #d9dfea  1920,0 #d9dfea  0,1080 #cdd4e2  1920,1080 #cdd4e2' \
    \( -size ${W}x${H} xc:black -fill none -stroke '#8a9cc4' -strokewidth 3 \
       -draw "circle 960,540 960,80" -strokewidth 1 -draw "circle 960,540 960,40" -blur 0x2 \
       -channel RGB -evaluate multiply 0.35 +channel -negate \) -compose multiply -composite \
    -fill '#b7c2d8' -draw "rectangle 0,60 1920,61 rectangle 0,1018 1920,1019" \
    -font "$FONT" -pointsize 26 -fill '#aab5cc' -gravity south -annotate +0+24 'debaclock' \
    "${Q[@]}" "$DATA/background/jishi/clock_light.jpg"

# ------------------------------------------------------------ transition
stage "$WORK/stage_teal.png" '#1f6b78' '#061b24' '#0f2830'
convert "$WORK/stage_teal.png" \
    \( -size ${W}x${H} xc:none -font "$FONT" -gravity center -fill black \
       -pointsize 150 -annotate +0-170 '下一环节' -pointsize 60 -annotate +0+10 '请各位辩手做好准备' -blur 0x12 \) \
    -compose over -composite \
    -font "$FONT" -gravity center -fill '#ffffff' -pointsize 150 -annotate +0-170 '下一环节' \
    -fill '#bfe7ea' -pointsize 60 -annotate +0+10 '请各位辩手做好准备' \
    -fill '#7fc6cc' -draw "rectangle 610,468 1310,470" \
    "${Q[@]}" "$DATA/background/guochang/next_round.jpg"

# ------------------------------------------------- audience questions / commentary
# The timer sits in the top right corner, so that corner stays quiet.
side_picture() { # OUT CENTRE EDGE TITLE SUBTITLE ACCENT
    convert -size ${W}x${H} xc: \
        -sparse-color Shepards "700,600 $2  0,0 $3  1920,0 $3  0,1080 $3  1920,1080 #05060c" \
        \( -size ${W}x${H} xc:black -fill none -stroke "$6" -strokewidth 2 \
           -draw "circle 700,560 700,120 circle 700,560 700,60" -blur 0x1 -channel RGB -evaluate multiply 0.35 +channel \) \
        -compose screen -composite \
        \( -size ${W}x${H} xc:none -font "$FONT" -gravity center -fill black \
           -pointsize 170 -annotate -260-40 "$4" -pointsize 54 -annotate -260+120 "$5" -blur 0x12 \) \
        -compose over -composite \
        -font "$FONT" -gravity center -fill '#ffffff' -pointsize 170 -annotate -260-40 "$4" \
        -fill "$6" -pointsize 54 -annotate -260+120 "$5" \
        -fill "$6" -draw "rectangle 360,720 1040,723" \
        "${Q[@]}" "$1"
}
side_picture "$DATA/background/tiwen/questions.jpg" '#1c4f8c' '#07142b' '观众提问' '请举手示意，经主持人允许后提问' '#9cc7f2'
side_picture "$DATA/background/dianping/commentary.jpg" '#5b3a1a' '#150c05' '嘉宾点评' '有请评委嘉宾点评本场比赛' '#f0cf95'

# ------------------------------------------------------------ result announcement
# The labels of the announcement cover the middle of the picture (from about
# 15 % to 80 % of the height), so the score pictures keep their words at the top.
convert "$WORK/stage_navy.png" \
    \( -size ${W}x${H} xc:none -font "$FONT" -gravity center -fill black -pointsize 210 -annotate +0-150 '比赛结果' -blur 0x14 \) \
    -compose over -composite \
    -font "$FONT" -gravity center -fill '#f4cd6b' -pointsize 210 -annotate +0-150 '比赛结果' \
    -fill '#d9c48c' -pointsize 50 -annotate +0+40 '激动人心的时刻即将到来' \
    "${Q[@]}" "$DATA/background/result/result.jpg"

score_picture() { # OUT CENTRE EDGE HEADER ACCENT
    convert -size ${W}x${H} xc: \
        -sparse-color Shepards "960,520 $2  0,0 $3  1920,0 $3  0,1080 $3  1920,1080 $3" \
        \( -size ${W}x${H} xc:black -fill white -draw "fill-opacity 0.05 $(rays 960 520 24 1400)" -blur 0x6 \) \
        -compose screen -composite \
        -fill none -stroke "$5" -strokewidth 3 -draw "rectangle 40,40 1880,1040" \
        -strokewidth 1 -draw "rectangle 56,56 1864,1024" -stroke none \
        -font "$FONT" -gravity north -fill "$5" -pointsize 56 -annotate +0+70 "$4" \
        "${Q[@]}" "$1"
}
score_picture "$DATA/background/result/affirmative.jpg" '#8c1c2c' '#2a060c' '正方得分' '#f6d58a'
score_picture "$DATA/background/result/negative.jpg" '#1b4a9c' '#06122c' '反方得分' '#f6d58a'

convert -size ${W}x${H} xc: \
    -sparse-color Shepards '960,520 #a8741a  0,0 #2e1a04  1920,0 #2e1a04  0,1080 #1f1203  1920,1080 #1f1203' \
    \( -size ${W}x${H} xc:black -fill '#fff3c4' -draw "fill-opacity 0.09 $(rays 960 520 32 1400)" -blur 0x5 \) \
    -compose screen -composite \
    -fill '#ffe7a0' -draw "$(stars 6 7 80 60 700 150)" -draw "$(stars 6 9 1220 60 1840 150)" \
    -draw "$(stars 12 8 80 900 1840 1020)" \
    -draw "$(confetti 11 20 60 60 700 150)" -draw "$(confetti 15 20 1220 60 1860 150)" -draw "$(confetti 12 40 60 890 1860 1020)" \
    -draw "$(confetti 13 25 60 150 300 890)" -draw "$(confetti 14 25 1620 150 1860 890)" \
    -fill none -stroke '#ffe19a' -strokewidth 3 -draw "rectangle 40,40 1880,1040" -stroke none \
    -font "$FONT" -gravity north -fill '#fff0c0' -pointsize 60 -annotate +0+66 '恭喜获胜' \
    "${Q[@]}" "$DATA/background/result/winner.jpg"

# ------------------------------------------------------------ award ceremony
trophy="fill #f2c14e ellipse 960,420 190,210 0,180 fill #ffd873 rectangle 770,400 1150,420 \
fill #fbe3a0 ellipse 960,400 190,26 0,360 fill #d9a53a ellipse 960,404 170,18 0,360 \
fill none stroke #f2c14e stroke-width 22 ellipse 772,490 70,90 90,270 ellipse 1148,490 70,90 270,450 stroke none \
fill #e0ac3e polygon 935,620 985,620 1000,730 920,730 \
fill #f2c14e rectangle 860,730 1060,770 fill #c48f2a rectangle 830,770 1090,820 \
fill #fff2c8 fill-opacity 0.35 ellipse 900,470 30,90 0,360 fill-opacity 1"
convert -size ${W}x${H} xc: \
    -sparse-color Shepards '960,420 #c0262d  0,0 #4a070d  1920,0 #4a070d  0,1080 #2a0407  1920,1080 #2a0407' \
    \( -size ${W}x${H} xc:black -fill '#ffd98a' -draw "fill-opacity 0.10 $(rays 960 430 28 1500)" -blur 0x6 \) \
    -compose screen -composite \
    -draw "$(confetti 5 160 40 40 1880 1040)" \
    \( -size ${W}x${H} xc:black -fill '#ffe6a0' -draw "circle 960,470 960,160" -blur 0x60 -channel RGB -evaluate multiply 0.55 +channel \) \
    -compose screen -composite \
    -draw "$trophy" \
    \( -size ${W}x${H} xc:none -font "$FONT" -gravity north -fill black -pointsize 140 -annotate +0+836 '颁奖典礼' -blur 0x12 \) \
    -compose over -composite \
    -font "$FONT" -gravity north -fill '#ffe08a' -pointsize 140 -annotate +0+836 '颁奖典礼' \
    -fill '#ffe08a' -draw "$(stars 3 21 420 850 560 960)" -draw "$(stars 3 23 1360 850 1500 960)" \
    "${Q[@]}" "$DATA/background/cite/ceremony.jpg"

# ------------------------------------------------------------ wizard themes
# Backgrounds of the settings windows (800 x 600, stretched to the window):
# light enough for black text on top.
theme() { # OUT TOP BOTTOM ACCENT1 ACCENT2
    convert -size 800x600 gradient:"$2-$3" \
        \( -size 800x600 xc:none -fill "$4" -draw "fill-opacity 0.35 circle 700,80 700,-120" \
           -fill "$5" -draw "fill-opacity 0.30 circle 90,560 90,360" \
           -fill "$4" -draw "fill-opacity 0.20 circle 560,620 560,480" \
           -fill white -draw "fill-opacity 0.35 circle 180,60 180,-40" -blur 0x3 \) -compose over -composite \
        -fill "$4" -draw "fill-opacity 0.6 rectangle 0,0 800,6" \
        "${Q[@]}" "$1"
}
theme "$DATA/Theme/Theme1.jpg" '#f4f9ff' '#d6e8fb' '#9cc4ee' '#b9d9f7'   # sky blue
theme "$DATA/Theme/Theme2.jpg" '#f3fbf5' '#d2efdc' '#8fd0a6' '#bfe6c9'   # mint green
theme "$DATA/Theme/Theme3.jpg" '#fffaf1' '#fbe6c8' '#f1c48a' '#f7d9b0'   # warm apricot
theme "$DATA/Theme/Theme4.jpg" '#f8f6fd' '#e4def6' '#b9abe6' '#d3c9f1'   # lavender

# Background of the timing-segment settings page: a quiet grid on pale grey-blue.
convert -size 800x600 gradient:'#f7f9fc-#e3e9f2' \
    \( -size 800x600 xc:none -stroke '#c9d3e3' -strokewidth 1 \
       -draw "$(awk 'BEGIN { for (x = 0; x <= 800; x += 40) printf "line %d,0 %d,600 ", x, x; for (y = 0; y <= 600; y += 40) printf "line 0,%d 800,%d ", y, y }')" \
       -channel A -evaluate multiply 0.5 +channel \) -compose over -composite \
    -fill '#7f9cc6' -draw "fill-opacity 0.7 rectangle 0,0 800,6" \
    -fill none -stroke '#a9bad6' -strokewidth 2 -draw "circle 720,530 720,470 circle 720,530 720,500" -stroke '#a9bad6' -draw "line 720,530 720,486 line 720,530 748,530" \
    "${Q[@]}" "$DATA/element/theme1.jpg"

# The timing-style illustrations in helpimg/ are drawn from the real clock screens by
# tools/render_help_images, not here.

# ------------------------------------------------------------ sample presentations
# Slide pages (1024 x 768) that pdf.py binds into small PDF presentations in ppt/.
slide() { # OUT TITLE then body lines
    local out=$1 title=$2
    shift 2
    local args=() y=250
    for line in "$@"; do
        args+=(-annotate +110+$y "$line")
        y=$((y + 72))
    done
    convert -size 1024x768 gradient:'#13224a-#0a1126' \
        -fill '#f4cd6b' -draw "rectangle 0,0 1024,10 rectangle 110,178 330,181" \
        -font "$FONT" -gravity northwest -fill '#f4cd6b' -pointsize 56 -annotate +110+90 "$title" \
        -fill '#e9edf7' -pointsize 34 "${args[@]}" \
        -fill '#6d7ea8' -pointsize 20 -gravity southeast -annotate +40+28 '第五届“星河杯”大学生辩论赛' \
        -strip -quality 80 "$out"
}
mkdir -p "$WORK/slides"
slide "$WORK/slides/intro-1.jpg" '赛事介绍' '第五届“星河杯”大学生辩论赛' '主办：星河市大学生联合会' '承办：星河大学学生会' '协办：星河市青年辩论协会'
slide "$WORK/slides/intro-2.jpg" '比赛规则' '· 每个环节由计时员严格计时' '· 时间不足时响起提示音，时钟变色' '· 时间到后请辩手立即停止发言' '· 评委独立评分，当场公布结果'
slide "$WORK/slides/motion-1.jpg" '本场辩题' '正方：科技进步让人更自由' '反方：科技进步让人更不自由' '' '正方：星河大学    反方：云岭学院'
slide "$WORK/slides/schedule-1.jpg" '赛程安排' '立论 → 驳论 → 攻辩 → 质询' '对辩 → 自由辩论 → 总结陈词' '观众提问 → 嘉宾点评' '公布比赛结果 → 颁奖典礼'
