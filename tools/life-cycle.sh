#!/usr/bin/env bash
# The suite's whole life in a fresh prefix, and what it leaves behind:
#   tools/life-cycle.sh BUILD_DIR
# Takes a picture of the prefix's registry and files, installs the suite silently from the
# build's setup folder, starts the logon programs, opens the applet once, runs the installed
# uninstaller (Yes, then No to the restart), restarts ("wineboot -r" carries out the removals
# the uninstaller left for the restart), runs the logon cleanup from its Run value, restarts
# once more (the cleanup's own copy goes then) and compares the registry and the files with the
# picture. Only what the suite is meant to keep may differ: the mouse port count and the
# double-click settings the setup makes. Exit code 0 when nothing else differs.
# Run by ctest (UninstallLifeCycle) through tools/wine-fresh-run --shell, which hands it a copy
# of a fresh prefix ($WINEPREFIX, $WINE and $DISPLAY set, a wineserver running).
set -euo pipefail
. "$(dirname "$0")/prefix-picture.sh"
picture_script life-cycle "$1"
step_start=$(date +%s%N)
step() { say "$* ($(( ($(date +%s%N) - step_start) / 1000000 )) ms)"; }
# What Windows has and a fresh prefix lacks: the system's logon program in Userinit and the
# mouse class driver's key.
windows_state
picture before
step "picture of the prefix taken"

"$WINE" "$build/setup-folder/Provisa.exe" -s -en -eig >"$work/setup.txt" 2>&1 ||
    { cat "$work/setup.txt"; fail "the silent install failed"; }
step "installed"

"$WINE" "$build/bin/life-cycle-steps.exe" || fail "the logon, applet or uninstall steps failed"
step "logon programs, applet and uninstall done"

"$WINE" wineboot -r || fail "the restart failed"
step "restarted"
# The next logon: the Run value's command line started as the system starts it.
"$WINE" "$build/bin/life-cycle-steps.exe" cleanup || fail "the logon cleanup did not run"
step "logon cleanup done"
"$WINE" wineboot -r || fail "the second restart failed"
step "restarted again"

picture after
if pictures_differ before after; then
    exit 1
fi
step "registry and files as before the install, but for what the suite keeps"
