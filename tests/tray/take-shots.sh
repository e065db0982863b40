#!/usr/bin/env bash
# Screenshots of Beaconet's menu and of Gesturo's dialog: tests/tray/take-shots.sh BUILD_DIR OUT_DIR
# Runs the disabled TrayShots test in a harness session and saves tray-menu.png (what is on the
# screen: the notification area's window and the menu with its Calibrate submenu),
# gesturo-large.png, gesturo-small.png and gesturo-text.png (the dialog alone) in OUT_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exec "$root/tools/take-shots.sh" "$1" "$2" tray_e2e_tests.exe 'TrayShots.*' \
    tray-menu gesturo-large gesturo-small gesturo-text
