# Sourced by the scripts that run the suite's life in a fresh prefix (tools/life-cycle.sh,
# tools/full-disk.sh): pictures of the prefix's registry and files, and their comparison.
#   picture_script NAME BUILD the start of such a script: refuses to run outside
#                             tools/wine-fresh-run --shell, sets build (BUILD's full path) and
#                             work (BUILD/NAME, emptied: the pictures and their differences stay
#                             there for a look after a failure), keeps the pictures there; say
#                             and fail then print as NAME
#   picture_init WORK         keeps the pictures in WORK
#   windows_state             what Windows has and a fresh prefix lacks (Userinit, Mouclass)
#   picture NAME              WORK/NAME.reg.txt and WORK/NAME.files.txt
#   pictures_differ A B       prints what differs but for what the suite keeps; true when
#                             something does
# They need $WINE and $WINEPREFIX (tools/wine-fresh-run --shell).

say() { echo "$picture_name: $*"; }
fail() { echo "$picture_name: FAILED: $*" >&2; exit 1; }

picture_script() {
    picture_name=$1
    build=$(cd "$2" && pwd) || exit 2
    if [ -z "${WINEPREFIX:-}" ] || [ -z "${WINE:-}" ]; then
        echo "$picture_name: run it through tools/wine-fresh-run --shell" >&2
        exit 2
    fi
    work=$build/$picture_name
    rm -rf "$work"
    mkdir -p "$work"
    picture_init "$work"
}

picture_init() {
    picture_work=$1
    # Wine's own state: the display devices and hardware it records when a program with windows
    # first starts, the processor, service and time-zone entries it writes at each start, and the
    # per-user copy of the current user's keys.
    cat > "$picture_work/volatile" <<'PATTERNS'
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
}

# The registry as regedit exports it, one line per value, each with its key; then lines of
# Wine's own that change whenever Wine starts or restarts are dropped.
registry_picture() {
    "$WINE" regedit /E "$("$WINE" winepath -w "$picture_work/export.reg")" >/dev/null 2>&1 ||
        fail "regedit could not export the registry"
    iconv -f UTF-16LE -t UTF-8 "$picture_work/export.reg" | tr -d '\r' |
        awk '/^\[/ { key = $0; print key; next } /^$/ { next } /^"|^@/ { print key " " $0 }' |
        grep -i -v -E -f "$picture_work/volatile" | sort
}

# The files of drive C, with their sizes.
file_picture() {
    (cd "$WINEPREFIX/drive_c" && find . -printf '%y %s %p\n' | awk '$1 == "d" { $2 = "-" } { print }' | sort -k3)
}

picture() { # NAME
    registry_picture >"$picture_work/$1.reg.txt"
    file_picture >"$picture_work/$1.files.txt"
}

windows_state() {
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon' /v Userinit /t REG_SZ \
        /d 'C:\windows\system32\userinit.exe,' /f >/dev/null
    "$WINE" reg add 'HKLM\System\CurrentControlSet\Services\Mouclass\Parameters' /f >/dev/null
}

pictures_differ() { # BEFORE AFTER
    # What the suite keeps: the mouse port count and the double-click settings. Wine keeps the
    # double-click settings in two keys and notes broadcast settings in one of its own.
    local kept='MaximumPortsServiced|^\[HKEY_CURRENT_USER\\Control Panel\\(Mouse|Desktop)\] "DoubleClick(Speed|Height|Width)"'
    kept+='|^\[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters\\'
    local w=$picture_work differs=1
    diff <(grep -v -E "$kept" "$w/$1.reg.txt") <(grep -v -E "$kept" "$w/$2.reg.txt") >"$w/reg.diff" || true
    diff "$w/$1.files.txt" "$w/$2.files.txt" >"$w/files.diff" || true
    if [ -s "$w/reg.diff" ]; then
        echo "the registry differs from before the install:"; cat "$w/reg.diff"; differs=0
    fi
    if [ -s "$w/files.diff" ]; then
        echo "the files differ from before the install:"; cat "$w/files.diff"; differs=0
    fi
    return $differs
}
