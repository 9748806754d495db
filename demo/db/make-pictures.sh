#!/usr/bin/env bash
# Makes the demo database's thumbnails from the demo savers themselves: each
# saver runs full screen under Xvfb, the screen is photographed and cut to
# 128 x 96. Run after building the savers (target demo_savers), e.g.
#   LUM_BUILD=$PWD/build bash demo/db/make-pictures.sh
# The pictures are committed; the build only copies them into the database.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/env.sh"
lum_prefix
trap lum_stop EXIT
lum_session

shots=$(mktemp -d)
for saver in Starfield Bubbles Plasma; do
  scr=$LUM_BUILD/dist/demo/$saver.scr
  [ -f "$scr" ] || { echo "missing $scr: build demo_savers first" >&2; exit 1; }
  lum_wine "$scr" /s &
  pid=$!
  sleep 4  # let the scene fill the screen
  import -window root "$shots/$saver.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  lower=$(echo "$saver" | tr '[:upper:]' '[:lower:]')
  # A centre part, not the whole screen: thin stars survive the scaling.
  convert "$shots/$saver.png" -gravity center -crop 640x480+0+0 +repage -resize 128x96 -strip \
    "PNG24:$here/pictures/$lower.png"
  echo "wrote pictures/$lower.png"
done
rm -rf "$shots"
