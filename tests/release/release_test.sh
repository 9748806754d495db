#!/usr/bin/env bash
# Runs release_test.py in a Wine prefix of its own: it stands for a user's
# PC, and the prefix the other tests share keeps what they left there.
# Arguments: <i686|x86_64> <dist folder> <lumenary_close.exe> <work folder> <Lumenary.rc>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export LUM_ARCH=$1 LUM_BUILD=$4
source "$here/../../scripts/env.sh"
lum_prefix
[ -n "${DISPLAY:-}" ] || lum_xvfb
trap lum_stop EXIT
lum_wineserver -p
lum_wine wineboot >/dev/null 2>&1 </dev/null || true
/usr/bin/python3 "$here/release_test.py" "$2" "$3" "$4" "$5"
