#!/usr/bin/env bash
# Screenshots of the Hardware page (serial and USB device), the Advanced serial settings dialog,
# both sensitivity dialogs and the three touch prompts:
#   tests/applet/hardware/take-shots.sh BUILD_DIR OUT_DIR
root=$(cd "$(dirname "$0")/../../.." && pwd)
exec "$root/tools/take-shots.sh" "$1" "$2" hardware_tests.exe 'HardwareShots.*' \
    hardware-page-serial advanced-serial-settings sensitivity-serial touch-here dont-touch \
    hardware-page-usb sensitivity-usb touch-here-timed
