#!/usr/bin/env bash
# Draws the program's bitmaps, icon and click sound into ui/assets/.
# Needs ImageMagick 6 (convert), the WenQuanYi Zen Hei font and python3.
# Same tools in, same bytes out: rerunning it must not change any file.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$(cd "$here/../.." && pwd)/ui/assets
mkdir -p "$out"

# ImageMagick itself; skip a wrapper script that may shadow it on the PATH.
if [[ -x /usr/bin/convert ]]; then
  im=/usr/bin/convert
else
  im=$(command -v convert) || { echo "generate.sh: ImageMagick convert not found" >&2; exit 1; }
fi

font=$(fc-match -f '%{file}' 'WenQuanYi Zen Hei' 2>/dev/null || true)
case "$font" in
  *wqy-zenhei*) ;;
  *) font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc ;;
esac
if [[ ! -f "$font" ]]; then
  echo "generate.sh: font WenQuanYi Zen Hei not found (Debian: apt-get install fonts-wqy-zenhei)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Only raw pixels leave ImageMagick (rgb:/rgba:); pack.py writes the files,
# so no dates or other metadata can get in.  One thread keeps the rounding
# of every drawing step in the same order from run to run.
export MAGICK_THREAD_LIMIT=1

# The outline of every picture against its transparent colour is drawn
# without antialiasing (+antialias): a half-covered edge pixel would be a
# blend with the transparent colour and would show as a pale fringe once that
# colour is dropped onto a grey button face.  Text and shading inside the
# artwork are antialiased as usual.

# --- 128 x 65 speech-bubble buttons, transparent colour white -------------
bubble() { # name text
  local name=$1 text=$2
  "$im" -size 128x65 xc:none \
    +antialias -stroke none -fill '#C4C4C4' -draw 'ellipse 64,59 38,4 0,360' \
    "$work/cloud.png" -composite \
    -antialias -font "$font" -pointsize 27 -gravity center \
    -fill '#1F8C9B' -stroke '#1F8C9B' -strokewidth 4.5 -annotate +0-5 "$text" \
    -fill '#FEFEFE' -stroke '#FEFEFE' -strokewidth 1.2 -annotate +0-5 "$text" \
    -background '#FFFFFF' -flatten -depth 8 "rgb:$work/$name.rgb"
  python3 "$here/pack.py" bmp "$work/$name.rgb" 128 65 FFFFFF "$out/$name.bmp"
}

# The cloud itself: a hard-edged silhouette filled with the teal shade.
"$im" -size 128x65 xc:black +antialias -fill white -stroke none \
  -draw 'roundrectangle 14,17 113,48 15,15' \
  -draw 'circle 36,20 36,7' -draw 'circle 58,15 58,2' \
  -draw 'circle 79,15 79,3' -draw 'circle 97,22 97,11' \
  -draw 'circle 25,36 25,24' -draw 'circle 104,36 104,25' \
  -draw 'polygon 47,44 61,44 50,57' \
  "$work/cloud-mask.png"
"$im" -size 128x56 gradient:'#ADDAE3-#32ADBD' -background '#32ADBD' \
  -gravity north -splice 0x2 -extent 128x65 \
  "$work/cloud-mask.png" -alpha off -compose copy-opacity -composite \
  "$work/cloud.png"

bubble create '创建'
bubble share  '共享'

# --- 78 x 53 cards, transparent colour #F2F2F2 ------------------------------
card() { # name text
  local name=$1 text=$2
  "$im" -size 78x53 xc:none \
    +antialias -stroke none \
    -fill '#B9B9B9' -draw 'roundrectangle 0,0 77,52 3,3' \
    -fill '#D8D8D8' -draw 'rectangle 2,10 75,50' \
    -fill '#FFFFFF' -draw 'rectangle 3,10 74,50' \
    -antialias -font "$font" -pointsize 17 -gravity center \
    -fill '#646464' -stroke '#646464' -strokewidth 2 -annotate +0+4 "$text" \
    -fill '#E6E6E6' -stroke '#E6E6E6' -strokewidth 0.5 -annotate +0+4 "$text" \
    -background '#F2F2F2' -flatten -depth 8 "rgb:$work/$name.rgb"
  python3 "$here/pack.py" bmp "$work/$name.rgb" 78 53 F2F2F2 "$out/$name.bmp"
}

card start   '启用WiFi'
card stop    '停用WiFi'
card remove  '卸载WiFi'
card unshare '取消共享'

# --- 100 x 30 bars, no transparent part -------------------------------------
bar() { # name text
  local name=$1 text=$2
  "$im" -size 98x28 gradient:'#E3F4FF-#9CCAFF' \
    -bordercolor '#6184B1' -border 1 \
    -font "$font" -pointsize 15 -gravity center \
    -fill '#6B6BFF' -stroke none -annotate +0+0 "$text" \
    -depth 8 "rgb:$work/$name.rgb"
  python3 "$here/pack.py" bmp "$work/$name.rgb" 100 30 6184B1 "$out/$name.bmp"
}

bar usage '使用说明'
bar about '关于软件'

# --- window icon -------------------------------------------------------------
# One master at 1024 px, boxed down to each size; the 16 px image is set by
# hand on the pixel grid instead, as the scaled-down sign would be a smudge.
icon_mvg=$(python3 "$here/icon.py" mvg)
"$im" -size 1024x1024 xc:none -draw "$icon_mvg" "$work/icon-1024.png"
python3 "$here/icon.py" 16 "$work/icon-16.rgba"
sizes=("16:$work/icon-16.rgba")
for s in 24 32 48 64 256; do
  "$im" "$work/icon-1024.png" -filter box -resize "${s}x${s}" -depth 8 "rgba:$work/icon-$s.rgba"
  sizes+=("$s:$work/icon-$s.rgba")
done
python3 "$here/pack.py" ico "$out/zephyra.ico" "${sizes[@]}"

# --- click sound -------------------------------------------------------------
python3 "$here/click.py" "$out/click.wav"

python3 "$here/check.py" "$out"
