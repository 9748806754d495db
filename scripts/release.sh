#!/usr/bin/env bash
# Makes a release of the 32-bit program: builds it (Release, no tests) in
# build/release-i686 and packs build/release/Lumenary-<version>.zip and
# build/release/Lumenary-<version>-setup.exe. Nothing here runs Windows code,
# so it works on machines that cannot execute 32-bit programs too.
# LUM_RELEASE_BUILD and LUM_RELEASE_OUT choose other folders.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
bash "$here/setup.sh"

build=${LUM_RELEASE_BUILD:-$root/build/release-i686}
out=${LUM_RELEASE_OUT:-$root/build/release}

# Every stamp in the release (the linker's, the zip's, the installer's) is
# the last commit's time, so the same sources give the same bytes.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

echo "Building the 32-bit program in $build"
# A fresh dist/: nothing left from an earlier build ships, and every program
# is linked again with this release's time stamp.
rm -rf "$build/dist"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" \
  -DLUMENARY_ARCH=i686 -DCMAKE_BUILD_TYPE=Release -DLUMENARY_BUILD_TESTS=OFF >/dev/null

# Every target of the build except the demo saver database: it is made by
# running a 32-bit tool, and it does not ship (package.py leaves it out).
mapfile -t targets < <(cmake --build "$build" --target help |
  sed -n 's/^\.\.\. \([A-Za-z0-9_.+-]*\)$/\1/p' |
  grep -vxE 'clean|depend|edit_cache|rebuild_cache|install.*|list_install_components|test|demo_db')
target_args=()
for t in "${targets[@]}"; do target_args+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${target_args[@]}" -- --no-print-directory >/dev/null

echo "Packing the release in $out"
rm -f "$out"/Lumenary-*.zip "$out"/Lumenary-*-setup.exe
/usr/bin/python3 "$root/installer/package.py" --dist "$build/dist" --out "$out" --arch x86
rm -rf "$out/stage"
