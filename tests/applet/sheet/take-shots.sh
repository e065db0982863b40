#!/usr/bin/env bash
# Screenshots of every page of the applet's sheet, one PNG per tab in tab order:
#   tests/applet/sheet/take-shots.sh BUILD_DIR OUT_DIR
# Runs the disabled PagesShots test in a harness session; a page added to the sheet adds its
# view name here, at its place.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
exec "$root/tools/take-shots.sh" "$1" "$2" sheet_tests.exe 'PagesShots.*' \
    00-devices 01-advanced 02-settings 03-windows 04-general 05-events 06-calibration \
    07-hardware 08-status 09-about
