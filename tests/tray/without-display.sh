#!/usr/bin/env bash
# without-display.sh PROGRAM CODE: runs PROGRAM in the test's prefix with DISPLAY naming no X
# server, and passes when it ends with exit code CODE. Wine then loads no display driver, so the
# program can make no window. DISPLAY is read from the Unix environment the Wine process started
# with (a Windows child keeps its parent's), so this is set from here, outside Wine.
. "$(dirname "$0")/../../tools/wine-shard.sh"
if [ -z "${WINEPREFIX:-}" ] || [ -z "${WINE:-}" ]; then
    echo "without-display: WINEPREFIX is not set up; run the tests through tools/test.sh" >&2
    exit 125
fi
DISPLAY=:9999 timeout 60 "$WINE" "$1"
rc=$?
echo "${1##*/} without a display ended with exit code $rc (expected $2)"
[ "$rc" -eq "$2" ]
