# Sourced by the other scripts: picks the target, the build folder and a
# hermetic Wine prefix inside it, and offers helpers to start Xvfb and the
# wineserver. Nothing here touches the real home folder.

LUM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LUM_BUILD=${LUM_BUILD:-$LUM_ROOT/build}

# The shipped program is 32-bit. Some machines cannot execute 32-bit code at
# all (no IA-32 emulation in the kernel); there the tests run a 64-bit build
# of the same sources under 64-bit Wine.
lum_can_run_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
if [ -z "${LUM_ARCH:-}" ]; then
  if lum_can_run_32bit; then LUM_ARCH=i686; else LUM_ARCH=x86_64; fi
fi
if [ "$LUM_ARCH" = i686 ]; then
  export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
else
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
fi
export LUM_ARCH LUM_BUILD

export WINEPREFIX=$LUM_BUILD/wine/prefix
export HOME=$LUM_BUILD/wine/home
export XDG_DATA_HOME=$LUM_BUILD/wine/xdg-data
export XDG_CONFIG_HOME=$LUM_BUILD/wine/xdg-config
export XDG_CACHE_HOME=$LUM_BUILD/wine/xdg-cache
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export PATH=/usr/lib/wine:$PATH

lum_wine() { "$WINELOADER" "$@"; }

lum_wineserver() {
  if [ "$LUM_ARCH" = i686 ]; then /usr/lib/wine/wineserver32 "$@"; else /usr/lib/wine/wineserver64 "$@"; fi
}

# Creates the prefix on first use, with Japanese fonts, window captions and
# the screen saver file type that the shell needs for saver icons.
lum_prefix() {
  local stamp=$WINEPREFIX/.lumenary-ready
  [ -f "$stamp" ] && return 0
  mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
  rm -rf "$WINEPREFIX"
  lum_wine wineboot -i >/dev/null 2>&1
  lum_wineserver -w
  local reg=$LUM_BUILD/wine/prefix-settings.reg
  cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
"Tahoma"="IPAPGothic"
"MS Sans Serif"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"Meiryo"="IPAPGothic"
"Meiryo UI"="IPAPGothic"
"Yu Gothic UI"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"

[HKEY_CLASSES_ROOT\.scr]
@="scrfile"

[HKEY_CLASSES_ROOT\scrfile\DefaultIcon]
@="%1"
REG
  lum_wine regedit /S "$reg" >/dev/null 2>&1
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  for f in /usr/share/fonts/opentype/ipafont-gothic/*.ttf; do
    cp "$f" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  done
  lum_wineserver -w
  touch "$stamp"
}

# Starts Xvfb on a free display unless one is given; sets DISPLAY.
LUM_XVFB_PID=
lum_xvfb() {
  local n
  for n in $(seq 90 120); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    LUM_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && return 0
      sleep 0.1
    done
  done
  echo "Xvfb did not start" >&2
  return 1
}

# One display and one wineserver for a whole run; Wine's own services are
# started here, detached from any output that a caller waits on.
lum_session() {
  lum_xvfb
  lum_wineserver -p
  lum_wine wineboot >/dev/null 2>&1 </dev/null || true
}

lum_stop() {
  lum_wineserver -k >/dev/null 2>&1 || true
  [ -n "$LUM_XVFB_PID" ] && kill "$LUM_XVFB_PID" >/dev/null 2>&1 || true
}

# Configures and builds the project for the chosen target.
lum_build() {
  cmake -S "$LUM_ROOT" -B "$LUM_BUILD" -DCMAKE_TOOLCHAIN_FILE="$LUM_ROOT/cmake/toolchain-mingw.cmake" \
    -DLUMENARY_ARCH="$LUM_ARCH" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$LUM_ROOT/scripts/wine-run.sh" "$@" >/dev/null
  # LUM_TARGETS limits the build to some targets (while one area is worked on).
  local targets=()
  for t in ${LUM_TARGETS:-}; do targets+=(--target "$t"); done
  cmake --build "$LUM_BUILD" -j"$(nproc)" "${targets[@]}"
}

# Where the tests run a 64-bit build, the 32-bit program that ships is still
# built (not run) so that it keeps compiling cleanly.
lum_build_32bit_program() {
  [ "$LUM_ARCH" = i686 ] && return 0
  local dir=$LUM_BUILD/i686
  echo "Building the 32-bit program in $dir"
  cmake -S "$LUM_ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$LUM_ROOT/cmake/toolchain-mingw.cmake" \
    -DLUMENARY_ARCH=i686 -DCMAKE_BUILD_TYPE=Release -DLUMENARY_BUILD_TESTS=OFF >/dev/null
  cmake --build "$dir" -j"$(nproc)" --target Lumenary -- --no-print-directory >/dev/null
}
