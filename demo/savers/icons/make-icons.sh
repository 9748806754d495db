#!/usr/bin/env bash
# Draws the demo savers' icons (48, 32 and 16 px in one .ico each), so that
# the shell and the program's new-saver list show each saver as itself. The
# outputs are committed; run this again only to change them. Needs
# ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# Each icon is a rounded screen showing its scene, drawn at 48 px and scaled.
screen() { # background out
  $IM -size 48x48 xc:none \
    \( -size 44x36 $1 \( -size 44x36 xc:black -fill white -draw "roundrectangle 0,0 43,35 5,5" \) \
       -alpha off -compose CopyOpacity -composite \) -geometry +2+6 -compose Over -composite "$2"
}

# Starfield: white stars streaming from the centre of a black sky.
screen "xc:#05060f" "$tmp/star.png"
$IM "$tmp/star.png" -fill white \
  -draw "circle 24,24 24,25" -draw "circle 12,14 12,16" -draw "circle 38,13 38,15" \
  -draw "circle 8,34 8,36" -draw "circle 40,35 40,38" -draw "circle 30,18 30,19" -draw "circle 17,29 17,30" \
  -stroke '#9fb4ff' -strokewidth 1 -draw "line 13,15 9,12" -draw "line 39,36 43,39" -draw "line 37,14 41,11" \
  "$tmp/Starfield.png"

# Bubbles: light rings rising through deep water.
screen "gradient:#1f7fa8-#0b2f4f" "$tmp/water.png"
$IM "$tmp/water.png" -fill '#ffffff33' -stroke '#e8fbff' -strokewidth 2 \
  -draw "circle 17,27 17,18" -draw "circle 33,16 33,11" -draw "circle 34,33 34,29" \
  -stroke none -fill '#ffffffcc' -draw "circle 14,23 14,21" -draw "circle 31,14 31,13" \
  "$tmp/Bubbles.png"

# Plasma: soft bands of every colour.
$IM -size 44x36 xc: -sparse-color Shepards '0,0 #ff4fd8 43,0 #ffe94f 0,35 #4fe7ff 43,35 #7a4fff 22,18 #4fff7a' \
  \( -size 44x36 xc:black -fill white -draw "roundrectangle 0,0 43,35 5,5" \) -alpha off -compose CopyOpacity -composite \
  "$tmp/bands.png"
$IM -size 48x48 xc:none "$tmp/bands.png" -geometry +2+6 -compose Over -composite "$tmp/Plasma.png"

for saver in Starfield Bubbles Plasma; do
  $IM "$tmp/$saver.png" \( "$tmp/$saver.png" -resize 32x32 \) \( "$tmp/$saver.png" -resize 16x16 \) "$saver.ico"
done
echo "made Starfield.ico Bubbles.ico Plasma.ico"
