#!/usr/bin/env bash
# Draws LumenaryImage.png, the picture of the version dialog: the icon's
# night-sky screen with its crescent moon and stars, the monitor below it,
# and the program's name. 332 x 312 pixels, so that it fills the dialog's
# client area above the version text (which starts 320 pixels down). The
# output is committed; run this again only to change the artwork. Needs
# ImageMagick and the IPA Gothic font (package fonts-ipafont-gothic).
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert
JP_FONT=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
W=332; H=312

# The sky panel with rounded corners, the icon's gradient deepened.
$IM -size ${W}x${H} gradient:'#0b1640'-'#5b36a3' "$tmp/grad.png"
$IM -size ${W}x${H} xc:black -fill white -draw "roundrectangle 4,4 $((W-5)),$((H-5)) 14,14" "$tmp/mask.png"
$IM "$tmp/grad.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite "$tmp/panel.png"

# Scattered small stars over the whole sky, a few brighter ones with rays.
stars=()
while read -r x y r; do stars+=(-draw "circle $x,$y $x,$((y + r))"); done <<'XY'
30 28 1
62 70 1
96 22 2
140 46 1
190 20 1
228 64 1
300 30 2
282 92 1
24 120 1
310 150 1
44 210 1
292 228 1
120 100 1
212 118 1
XY
$IM "$tmp/panel.png" -fill '#ffffffcc' "${stars[@]}" \
  -fill white -draw "polygon 70,40 73,49 82,52 73,55 70,64 67,55 58,52 67,49" \
  -draw "polygon 262,132 264,138 270,140 264,142 262,148 260,142 254,140 260,138" \
  "$tmp/sky.png"

# The monitor of the icon, centred in the upper half.
$IM -size ${W}x${H} xc:none \
  -fill '#2b2f3a' -draw "roundrectangle 96,44 236,152 10,10" \
  -fill '#2b2f3a' -draw "polygon 150,152 182,152 190,170 142,170" \
  -fill '#3c4252' -draw "roundrectangle 122,168 210,176 4,4" "$tmp/monitor.png"
$IM -size 124x92 gradient:'#0d1b4c'-'#6a3fb5' \
  \( -size 124x92 xc:black -fill white -draw "roundrectangle 0,0 123,91 6,6" \) \
  -alpha off -compose CopyOpacity -composite "$tmp/screen.png"
# Crescent moon and stars on the monitor's screen, as on the icon.
$IM -size 124x92 xc:none -fill '#ffe9a8' -draw "circle 82,38 82,14" "$tmp/disc.png"
$IM -size 124x92 xc:none -fill black -draw "circle 94,30 94,10" "$tmp/bite.png"
$IM "$tmp/disc.png" "$tmp/bite.png" -compose DstOut -composite "$tmp/moon.png"
$IM "$tmp/screen.png" "$tmp/moon.png" -compose Over -composite \
  -fill white -draw "circle 24,20 24,23" -draw "circle 42,56 42,58" -draw "circle 18,72 18,74" \
  -draw "circle 104,74 104,76" -draw "polygon 36,28 38,34 44,36 38,38 36,44 34,38 28,36 34,34" \
  "$tmp/screen2.png"
$IM "$tmp/monitor.png" "$tmp/screen2.png" -geometry +104+52 -compose Over -composite "$tmp/monitor2.png"

# A soft glow behind the monitor, then the name and a Japanese subtitle.
$IM -size ${W}x${H} xc:none -fill '#8a6fe080' -draw "ellipse 166,108 104,74 0,360" -blur 0x18 "$tmp/glow.png"
$IM "$tmp/sky.png" "$tmp/glow.png" -compose Over -composite "$tmp/monitor2.png" -compose Over -composite \
  -font DejaVu-Sans-Bold -pointsize 40 -fill '#fff4d0' -gravity north -annotate +0+196 'Lumenary' \
  -font "$JP_FONT" -pointsize 15 -fill '#d8d0f4' -gravity north -annotate +0+248 'スクリーンセーバー・コレクション' \
  -fill '#ffe9a860' -draw "line 96,276 236,276" \
  PNG32:LumenaryImage.png
echo "made LumenaryImage.png"
