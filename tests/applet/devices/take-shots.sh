#!/usr/bin/env bash
# Screenshots of the Devices page, both new-device dialogs and the Status page:
#   tests/applet/devices/take-shots.sh BUILD_DIR OUT_DIR
# Runs the disabled DevicesShots test in a harness session and saves devices-page.png,
# new-device-type.png, new-device-name.png and status-page.png in OUT_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
exec "$root/tools/take-shots.sh" "$1" "$2" devices_tests.exe 'DevicesShots.*' \
    devices-page new-device-type new-device-name status-page
