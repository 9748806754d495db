#!/usr/bin/env bash
# Sets up, builds and starts Lumenary in the build folder's own Wine prefix.
# With a display the window opens; without one the program runs under Xvfb,
# a screenshot goes to build/screenshots/ and the program is closed cleanly.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
had_display=${DISPLAY:-}
source "$here/env.sh"

lum_prefix
lum_build -DLUMENARY_BUILD_TESTS=OFF

# Something to find at once: the demo savers are installed into this run's
# own Windows folder, as a saver's installer would place them, so the first
# look for installed savers offers them (and the demo database below fills
# in their details). A newer build replaces older copies.
windows_folder=$WINEPREFIX/drive_c/windows
for saver in "$LUM_BUILD"/dist/demo/*.scr; do
  [ -e "$saver" ] || continue
  cp -u "$saver" "$windows_folder/"
  echo "Installed $(basename "$saver") into C:\windows"
done
source "$here/demo-db.sh"
trap lum_demo_db_stop EXIT
lum_demo_db_start || true  # the program runs without it, only without details

exe=$LUM_BUILD/dist/Lumenary.exe
if [ -n "$had_display" ]; then
  export DISPLAY=$had_display
  lum_wine "$exe"
  exit $?
fi

trap 'lum_demo_db_stop; lum_stop' EXIT
lum_session
lum_wine "$exe" &
app=$!

# Wait for the main window, then photograph the screen.
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Lumenary"' && break
  sleep 0.2
done
sleep 2
mkdir -p "$LUM_BUILD/screenshots"
shot=$LUM_BUILD/screenshots/lumenary-$(date +%Y%m%d-%H%M%S).png
import -window root "$shot"
echo "Screenshot: $shot"

# Close the window the way a user would, so the program shuts down in order.
lum_wine "$LUM_BUILD/bin/lumenary_close.exe" >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.2; done
kill -0 $app 2>/dev/null && { echo "Lumenary did not close" >&2; exit 1; }
wait $app || true
