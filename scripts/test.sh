#!/usr/bin/env bash
# Sets up, builds and runs every test under Xvfb in the build folder's own
# Wine prefix. The exit code is the tests'.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
source "$here/env.sh"

echo "Building for $LUM_ARCH in $LUM_BUILD"
lum_prefix
lum_build -DLUMENARY_BUILD_TESTS=ON
[ -z "${LUM_TARGETS:-}" ] && lum_build_32bit_program

trap lum_stop EXIT
lum_session

cd "$LUM_BUILD"
rc=0
ctest --output-on-failure --timeout 600 "$@" || rc=$?
exit $rc
