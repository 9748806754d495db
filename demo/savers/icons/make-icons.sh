#!/usr/bin/env bash
# Draws the demo savers' icons (48, 32 and 16 px in one .ico each), so that
# the shell and the program's new-saver list show each saver as itself. The
# outputs are committed; run this again only to change them. Needs
# ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# Each icon is a rounded screen showing its scene: a 44 x 36 picture placed
# on a 48 px square and scaled down for the smaller sizes.
screen() { # scene-picture out
  $IM "$1" \( -size 44x36 xc:black -fill white -draw "roundrectangle 0,0 43,35 5,5" \) \
    -alpha off -compose CopyOpacity -composite "$tmp/masked.png"
  $IM -size 48x48 xc:none "$tmp/masked.png" -geometry +2+6 -compose Over -composite "$2"
}

# Starfield: white stars streaming from the centre of a black sky.
$IM -size 44x36 xc:'#05060f' -fill white \
  -draw "circle 22,18 22,19" -draw "circle 10,8 10,10" -draw "circle 36,7 36,9" \
  -draw "circle 6,28 6,30" -draw "circle 38,29 38,32" -draw "circle 28,12 28,13" -draw "circle 15,23 15,24" \
  -stroke '#9fb4ff' -strokewidth 1 -draw "line 11,9 7,6" -draw "line 37,30 41,33" -draw "line 35,8 39,5" \
  "$tmp/sky.png"
screen "$tmp/sky.png" "$tmp/Starfield.png"

# Bubbles: light rings rising through deep water.
$IM -size 44x36 gradient:'#1f7fa8'-'#0b2f4f' -fill '#ffffff33' -stroke '#e8fbff' -strokewidth 2 \
  -draw "circle 15,21 15,12" -draw "circle 31,10 31,5" -draw "circle 32,27 32,23" \
  -stroke none -fill '#ffffffcc' -draw "circle 12,17 12,15" -draw "circle 29,8 29,7" \
  "$tmp/water.png"
screen "$tmp/water.png" "$tmp/Bubbles.png"

# Plasma: soft bands of every colour.
$IM -size 44x36 xc: -sparse-color Shepards '0,0 #ff4fd8 43,0 #ffe94f 0,35 #4fe7ff 43,35 #7a4fff 22,18 #4fff7a' \
  "$tmp/bands.png"
screen "$tmp/bands.png" "$tmp/Plasma.png"

for saver in Starfield Bubbles Plasma; do
  $IM "$tmp/$saver.png" \( "$tmp/$saver.png" -resize 32x32 \) \( "$tmp/$saver.png" -resize 16x16 \) "$saver.ico"
done
echo "made Starfield.ico Bubbles.ico Plasma.ico"
