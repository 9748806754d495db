#!/usr/bin/env bash
# Draws the program icon (lumenary.ico: 256, 48, 32 px; lumenary16.ico: a
# 16 px version drawn for its size) and the placeholder thumbnail
# no_image.png (128 x 96). The outputs are committed; run this again only
# to change the artwork. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# A monitor whose screen shows a night sky with a crescent moon and stars.
icon() { # size
  local s=$1
  local k; k=$(echo "$s / 256" | bc -l)
  p() { printf '%.1f' "$(echo "$1 * $k" | bc -l)"; }
  $IM -size ${s}x${s} xc:none \
    -fill '#2b2f3a' -draw "roundrectangle $(p 12),$(p 26) $(p 244),$(p 206) $(p 22),$(p 22)" \
    "$tmp/frame.png"
  $IM -size $(p 212)x$(p 160) gradient:'#0d1b4c'-'#6a3fb5' \
    \( -size $(p 212)x$(p 160) xc:black -fill white -draw "roundrectangle 0,0 $(p 211),$(p 159) $(p 10),$(p 10)" \) \
    -alpha off -compose CopyOpacity -composite "$tmp/screen.png"
  $IM -size $(p 212)x$(p 160) xc:none -fill '#ffe9a8' -draw "circle $(p 140),$(p 66) $(p 140),$(p 24)" "$tmp/disc.png"
  $IM -size $(p 212)x$(p 160) xc:none -fill black -draw "circle $(p 160),$(p 52) $(p 160),$(p 18)" "$tmp/bite.png"
  $IM "$tmp/disc.png" "$tmp/bite.png" -compose DstOut -composite "$tmp/moon.png"
  $IM -size $(p 212)x$(p 160) xc:none -fill white \
    -draw "circle $(p 40),$(p 34) $(p 40),$(p 40)" \
    -draw "circle $(p 72),$(p 96) $(p 72),$(p 100)" \
    -draw "circle $(p 30),$(p 122) $(p 30),$(p 125)" \
    -draw "circle $(p 104),$(p 40) $(p 104),$(p 43)" \
    -draw "circle $(p 180),$(p 128) $(p 180),$(p 132)" \
    -draw "polygon $(p 60),$(p 48) $(p 64),$(p 58) $(p 74),$(p 62) $(p 64),$(p 66) $(p 60),$(p 76) $(p 56),$(p 66) $(p 46),$(p 62) $(p 56),$(p 58)" \
    "$tmp/stars.png"
  $IM "$tmp/screen.png" "$tmp/moon.png" -compose Over -composite "$tmp/stars.png" -compose Over -composite "$tmp/sky.png"
  $IM "$tmp/frame.png" "$tmp/sky.png" -geometry +$(p 22)+$(p 36) -compose Over -composite \
    -fill '#2b2f3a' -draw "polygon $(p 104),$(p 204) $(p 152),$(p 204) $(p 164),$(p 232) $(p 92),$(p 232)" \
    -fill '#3c4252' -draw "roundrectangle $(p 64),$(p 228) $(p 192),$(p 242) $(p 6),$(p 6)" \
    "$tmp/icon$s.png"
}
for s in 256 48 32; do icon $s; done
$IM "$tmp/icon256.png" "$tmp/icon48.png" "$tmp/icon32.png" lumenary.ico

# 16 px: fewer, bolder shapes so it stays readable.
$IM -size 16x16 xc:none \
  -fill '#2b2f3a' -draw "roundrectangle 0,1 15,12 2,2" \
  \( -size 14x10 gradient:'#0d1b4c'-'#6a3fb5' \) -geometry +1+2 -compose Over -composite \
  -fill '#ffe9a8' -draw "circle 10,6 10,3" -fill '#22306a' -draw "circle 11,5 11,3" \
  -fill white -draw "point 3,4" -draw "point 5,8" -draw "point 7,3" \
  -fill '#2b2f3a' -draw "rectangle 6,12 9,13" -fill '#3c4252' -draw "rectangle 4,14 11,15" \
  "$tmp/icon16.png"
$IM "$tmp/icon16.png" lumenary16.ico

# Placeholder thumbnail: a quiet grey screen with a dim moon and a label.
$IM -size 128x96 gradient:'#d9dce3'-'#b4b9c6' \
  -fill '#9aa0ae' -draw "roundrectangle 34,16 94,60 4,4" \
  -fill '#c9cdd6' -draw "roundrectangle 37,19 91,57 2,2" \
  -fill '#9aa0ae' -draw "circle 70,35 70,27" -fill '#c9cdd6' -draw "circle 74,32 74,25" \
  -fill '#9aa0ae' -draw "rectangle 58,60 70,66" -draw "roundrectangle 50,66 78,69 1,1" \
  -font DejaVu-Sans -pointsize 11 -fill '#6f7584' -gravity south -annotate +0+9 'NO IMAGE' \
  PNG32:no_image.png
echo "made lumenary.ico lumenary16.ico no_image.png"
