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
build=$(cd "$1" && pwd)
if [ -z "${WINEPREFIX:-}" ] || [ -z "${WINE:-}" ]; then
    echo "life-cycle: run it through tools/wine-fresh-run --shell" >&2
    exit 2
fi
# The pictures and their differences stay in the build folder for a look after a failure.
work=$build/life-cycle
rm -rf "$work"
mkdir -p "$work"
say() { echo "life-cycle: $*"; }
fail() { echo "life-cycle: FAILED: $*" >&2; exit 1; }
step_start=$(date +%s%N)
step() { say "$* ($(( ($(date +%s%N) - step_start) / 1000000 )) ms)"; }

# The registry as regedit exports it, one line per value, each with its key; then lines of
# Wine's own that change whenever Wine starts or restarts are dropped.
registry_picture() {
    "$WINE" regedit /E "$("$WINE" winepath -w "$work/export.reg")" >/dev/null 2>&1 ||
        fail "regedit could not export the registry"
    iconv -f UTF-16LE -t UTF-8 "$work/export.reg" | tr -d '\r' |
        awk '/^\[/ { key = $0; print key; next } /^$/ { next } /^"|^@/ { print key " " $0 }' |
        grep -i -v -E -f "$work/volatile" | sort
}
# Wine's own state: the display devices and hardware it records when a program with windows
# first starts, the processor, service and time-zone entries it writes at each start, and the
# per-user copy of the current user's keys.
cat > "$work/volatile" <<'PATTERNS'
^\[HKEY_LOCAL_MACHINE\\HARDWARE\\
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\\{4D36E96E-E325-11CE-BFC1-08002BE10318\}
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\DeviceClasses\\
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ServiceCurrent\]
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video(\]|\\)
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\\Environment\] "(NUMBER_OF_PROCESSORS|PROCESSOR_)
^\[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Perflib
^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\TimeZoneInformation\]
^\[HKEY_USERS\\
^\[HKEY_CURRENT_USER\\Volatile Environment\]
PATTERNS

# The files of drive C, with their sizes.
file_picture() {
    (cd "$WINEPREFIX/drive_c" && find . -printf '%y %s %p\n' | awk '$1 == "d" { $2 = "-" } { print }' | sort -k3)
}

picture() { # NAME
    registry_picture >"$work/$1.reg.txt"
    file_picture >"$work/$1.files.txt"
}

# What Windows has and a fresh prefix lacks: the system's logon program in Userinit and the
# mouse class driver's key.
"$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon' /v Userinit /t REG_SZ \
    /d 'C:\windows\system32\userinit.exe,' /f >/dev/null
"$WINE" reg add 'HKLM\System\CurrentControlSet\Services\Mouclass\Parameters' /f >/dev/null
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
# What the suite keeps: the mouse port count and the double-click settings.
# Wine keeps the double-click settings in two keys and notes broadcast settings in one of its own.
kept='MaximumPortsServiced|^\[HKEY_CURRENT_USER\\Control Panel\\(Mouse|Desktop)\] "DoubleClick(Speed|Height|Width)"'
kept+='|^\[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters\\'
diff <(grep -v -E "$kept" "$work/before.reg.txt") <(grep -v -E "$kept" "$work/after.reg.txt") \
    >"$work/reg.diff" || true
diff "$work/before.files.txt" "$work/after.files.txt" >"$work/files.diff" || true
status=0
if [ -s "$work/reg.diff" ]; then
    echo "life-cycle: the registry differs from before the install:"; cat "$work/reg.diff"; status=1
fi
if [ -s "$work/files.diff" ]; then
    echo "life-cycle: the files differ from before the install:"; cat "$work/files.diff"; status=1
fi
[ $status -eq 0 ] && step "registry and files as before the install, but for what the suite keeps"
exit $status
