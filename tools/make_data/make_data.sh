#!/usr/bin/env bash
# (Re)creates everything under data/ that is rendered or synthesised: the shipped
# profiles, pictures, sounds and sample presentations. The written pages (html/ and
# help.html) are edited in place in data/ and left as they are.
#
#   tools/make_data/make_data.sh [DATA_DIR]      (default: data/ of this repository)
#
# Needs: python3 (standard library only), sox with MP3 support (libsox-fmt-mp3),
# lame, ImageMagick's convert, iconv, and the WenQuanYi Zen Hei font
# (Debian: apt-get install sox libsox-fmt-mp3 lame imagemagick fonts-wqy-zenhei).
# The outputs are committed; the build only copies data/ beside the program.
# Every run produces the same files: noise and confetti use fixed seeds.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
DATA=${1:-$ROOT/data}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

for tool in python3 sox lame convert iconv; do
    command -v "$tool" >/dev/null || { echo "make_data: $tool is missing" >&2; exit 1; }
done

# Start from a data/ holding only the written pages, so that nothing stale survives;
# refuse to empty a folder that is neither called data nor empty already.
if [ -d "$DATA" ] && [ "$(basename "$DATA")" != data ] && [ -n "$(ls -A "$DATA")" ]; then
    echo "make_data: $DATA is not a data/ folder; refusing to empty it" >&2
    exit 1
fi
echo "make_data: writing $DATA"
mkdir -p "$DATA"
find "$DATA" -mindepth 1 -not -path "$DATA/html" -not -path "$DATA/html/*" \
    -not -path "$DATA/help.html" -not -path "$DATA/helpimg" -not -path "$DATA/helpimg/*" -delete

# ------------------------------------------------------------------ folders
# The letter case on disk is the one the program's own paths mostly use; the
# program resolves every relative path without regard to letter case.
dirs=(
    config/tache
    background/main background/jishi background/guochang background/tiwen
    background/dianping background/result background/cite
    sound/Warn/user sound/Timeout/user sound/Cs/user sound/Result/user sound/cite/user
    Theme element helpimg html ppt Update
)
for d in "${dirs[@]}"; do mkdir -p "$DATA/$d"; done

# ------------------------------------------------------------------ profiles
# UTF-8 sources in profiles/ become GBK (code page 936) files with CR LF line ends.
to_gbk() { # SRC DEST
    iconv -f UTF-8 -t GBK "$1" | sed 's/$/\r/' >"$2"
}
(cd "$HERE/profiles" && find . -type f -name '*.ini' | sort) | while read -r rel; do
    to_gbk "$HERE/profiles/$rel" "$DATA/$rel"
done

# The active segment profile holds a copy of segment 1, exactly as a launch of
# segment 1 writes it: the copied keys in launch order, the name under "名称".
awk -F= '
    BEGIN {
        n = split("计时格式 环节名称 时间不足提示音 时间到提示音 超时提示音 自定义时间不足提示音 " \
                  "自定义时间到提示音 自定义超时提示音 计时字体 计时字号 计时字体加粗 计时字体倾斜 " \
                  "倒计时字体颜色 时间不足时字体颜色 背景图片 背景颜色 限时 警告时间点 " \
                  "提问方一次提问限时 回答方一次回答限时 提问方限时 回答方限时 提问方时间不足警告点 " \
                  "回答方时间不足警告点 双方每次发言限时 计时样式 过场图片", order, " ")
    }
    /^\[/ { next }
    { key = $1; sub(/^[^=]*=/, ""); value[key] = $0 }
    END {
        print "[配置信息]"
        for (i = 1; i <= n; i++) {
            k = order[i]
            print (k == "环节名称" ? "名称" : k) "=" value[k]
        }
    }' "$HERE/profiles/config/tache/1.ini" >"$WORK/Timetemp.ini"
to_gbk "$WORK/Timetemp.ini" "$DATA/config/Timetemp.ini"

# A value longer than 99 bytes would be cut when it is read back.
python3 - "$DATA" <<'EOF'
import pathlib, sys
bad = []
for p in sorted(pathlib.Path(sys.argv[1]).rglob('*.ini')):
    for line in p.read_bytes().split(b'\r\n'):
        if b'=' in line and not line.startswith(b'['):
            value = line.split(b'=', 1)[1]
            if len(value) > 99:
                bad.append(f'{p}: {line.decode("gbk")}')
if bad:
    sys.exit('make_data: values over 99 bytes:\n' + '\n'.join(bad))
EOF

# ------------------------------------------------------------------ sounds
echo "make_data: sounds"
python3 "$HERE/synth.py" cues "$WORK"
cp "$WORK/warn.wav" "$DATA/sound/Warn/Default.wav"
cp "$WORK/timeout.wav" "$DATA/sound/Timeout/Default.wav"
cp "$WORK/overtime.wav" "$DATA/sound/Cs/Default.wav"
cp "$WORK/zf.wav" "$DATA/sound/Result/Zf.wav"
cp "$WORK/ff.wav" "$DATA/sound/Result/Ff.wav"
cp "$WORK/vic.wav" "$DATA/sound/Result/Vic.wav"
mkdir -p "$DATA/sound/Bell"
for rings in 1 2 3; do cp "$WORK/bell$rings.wav" "$DATA/sound/Bell/$rings.wav"; done

# Music: synthesised dry, given a little room with sox, normalised to -1 dBFS,
# encoded at a constant 112 kbit/s. sox -R keeps its dither repeatable.
music() { # NAME OUT TITLE
    python3 "$HERE/synth.py" music "$1" "$WORK/$1.wav"
    sox -R "$WORK/$1.wav" "$WORK/$1-room.wav" reverb 30 50 70 80 12 -3 gain -n -1
    lame --quiet -b 112 --cbr -q 2 --tt "$3" --ta debaclock --add-id3v2 "$WORK/$1-room.wav" "$2"
}
music result "$DATA/sound/Result/BgMusic.mp3" 'Result announcement'
music ceremony "$DATA/sound/cite/Default.mp3" 'Award ceremony'

# ------------------------------------------------------------------ pictures
echo "make_data: pictures"
bash "$HERE/pictures.sh" "$DATA" "$WORK/pictures"

# Sample presentations named in config/PPT.ini.
python3 "$HERE/pdf.py" "$DATA/ppt/intro.pdf" '赛事介绍' \
    "$WORK/pictures/slides/intro-1.jpg" "$WORK/pictures/slides/intro-2.jpg"
python3 "$HERE/pdf.py" "$DATA/ppt/motion.pdf" '本场辩题' "$WORK/pictures/slides/motion-1.jpg"
python3 "$HERE/pdf.py" "$DATA/ppt/schedule.pdf" '赛程安排' "$WORK/pictures/slides/schedule-1.jpg"


# ------------------------------------------------------------------ empty folders
# git keeps no empty folder: the user folders get a .keep file.
find "$DATA" -type d -empty -exec touch {}/.keep \;

# ------------------------------------------------------------------ check
# Every file that a shipped profile names must exist in its folder.
python3 - "$DATA" <<'EOF'
import pathlib, sys
data = pathlib.Path(sys.argv[1])

def ini(path):
    sections, cur = {}, None
    for line in (data / path).read_bytes().decode('gbk').split('\r\n'):
        if line.startswith('['):
            cur = sections.setdefault(line.strip('[]'), {})
        elif '=' in line:
            k, v = line.split('=', 1)
            cur[k] = v
    return sections

refs = []
for n in range(1, 9):
    s = ini(f'config/tache/{n}.ini')['配置信息']
    refs += [('background/jishi', s['背景图片']), ('background/guochang', s['过场图片'])]
tw = ini('config/TW&DP.ini')
refs += [('background/tiwen', tw['配置信息TW']['背景图片']), ('background/dianping', tw['配置信息DP']['背景图片'])]
r = ini('config/Result.ini')['配置信息']
refs += [('background/result', r[k]) for k in ('背景图片', '公布正方得分时背景图片', '公布反方得分时背景图片', '公布获胜方时背景图片')]
refs += [('background/cite', ini('config/cite.ini')['配置信息']['背景图片'])]
refs += [('background/main', ini('config/main.ini')['配置信息']['背景图片'])]
ppt = ini('config/PPT.ini')['配置信息']
refs += [('ppt', ppt[f'{k}_演示文件名称']) for k in (1, 2, 3)]
missing = [f'{d}/{name}' for d, name in refs if name and not (data / d / name).is_file()]
if missing:
    sys.exit('make_data: profiles name missing files: ' + ', '.join(missing))
EOF

echo "make_data: done ($(du -sh "$DATA" | cut -f1))"
