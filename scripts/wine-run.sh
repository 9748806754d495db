#!/usr/bin/env bash
# Runs one Windows program under the prefix's Wine for ctest. Output goes
# through a file: Wine's helper processes inherit the program's standard
# handles and would otherwise keep ctest waiting for the pipe to close.
out=$(mktemp)
"$WINELOADER" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
