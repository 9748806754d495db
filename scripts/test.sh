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
ctest --timeout 600 "$@" || rc=$?

# ctest names only the failing programs; name the failing cases too, from
# each failed program's own output in ctest's log.
if [ "$rc" -ne 0 ] && [ -f Testing/Temporary/LastTest.log ]; then
  echo
  echo "Failing cases:"
  # A program's output is kept until ctest says whether it failed, so that
  # failures a passing test provokes on purpose (in a child run) stay out.
  awk '/^[0-9]+\/[0-9]+ Testing: / { program = $3; n = 0 }
       /^\[  FAILED  \] .* \([0-9]+ ms\)$/ { lines[++n] = "  " program ": " $4 }
       /\.(cpp|h):[0-9]+: Failure$/ { sub(/: Failure$/, ""); lines[++n] = "  " program ":   at " $0 }
       /^Test Failed\./ { for (i = 1; i <= n; ++i) print lines[i]; if (!n) print "  " program ": no case named (crashed or timed out)" }
       /^Test (Passed|Failed)\./ { n = 0 }' Testing/Temporary/LastTest.log
fi
exit $rc
