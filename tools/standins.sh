#!/usr/bin/env bash
# Installs and starts, or stops, the stand-in RILO and MEKA kernel drivers in the current
# WINEPREFIX (exported by tools/wine-env.sh's wine_env_up; wine_env_down's `wineserver -k` ends them).
#   tools/standins.sh start BIN-DIR   stops them when running, copies rilo.sys and meka.sys from
#                                    BIN-DIR to the prefix's System32\drivers, registers the
#                                    services RILO and MEKA (demand start) and starts both
#   tools/standins.sh stop [BIN-DIR]  stops both; they stay registered
#   tools/standins.sh status [BIN-DIR]
# BIN-DIR holds standin-ctl.exe too; it defaults to ${TIVEN_BUILD_DIR:-build}/x86_64/bin.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${WINEPREFIX:-}" ] || [ -z "${WINE:-}" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "standins: WINEPREFIX is not set up (source tools/wine-env.sh and run wine_env_up first)" >&2
    exit 1
fi
command=${1:-}
bin=$(cd "${2:-${TIVEN_BUILD_DIR:-$root/build}/x86_64/bin}" && pwd)
ctl="$bin/standin-ctl.exe"
[ -f "$ctl" ] || { echo "standins: $ctl is missing; build first" >&2; exit 1; }
case "$command" in
    start)
        for f in rilo.sys meka.sys; do
            [ -f "$bin/$f" ] || { echo "standins: $bin/$f is missing; build first" >&2; exit 1; }
        done
        "$WINE" "$ctl" start "$("$WINE" winepath -w "$bin")" ;;
    stop|status)
        "$WINE" "$ctl" "$command" ;;
    *)
        echo "usage: tools/standins.sh start BIN-DIR | stop [BIN-DIR] | status [BIN-DIR]" >&2
        exit 2 ;;
esac
