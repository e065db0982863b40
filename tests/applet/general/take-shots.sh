#!/usr/bin/env bash
# Screenshots of the General page with its clone and dump reports, the About page with its
# support box and the licence window:
#   tests/applet/general/take-shots.sh BUILD_DIR OUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
exec "$root/tools/take-shots.sh" "$1" "$2" general_tests.exe 'GeneralShots.*' \
    general-page clone-report dump-report about-page support-box licence-window
