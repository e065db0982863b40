#!/usr/bin/env bash
# How fast the applet opens (a benchmark, not a test): tools/bench-applet.sh [RUNS]
#   TIVEN_ARCH=i686 tools/bench-applet.sh [RUNS] measures the i686 build in its 32-bit prefix
#   (where the machine runs 32-bit Wine); the default is x86_64.
#   Builds the architecture, prepares the Wine prefix, display and stand-in drivers, and runs the test host
#   CplHost.exe RUNS times (default 5) per case. It prints the medians, in milliseconds, of:
#     load   LoadLibrary of Tunora.cpl (builds the device collection from the device keys)
#     open   CPL_DBLCLK until the sheet is visible
#     run    the whole host process, from its start under Wine to its end (sheet closed as soon as shown)
#   with 1 and with 64 devices, with 1 device in a build of the applet whose sheet has only its
#   first three pages (TunoraFirstPages.cpl, built on request for this), and of an empty dialog
#   program built the same way (CplHost.exe empty: process start to its dialog shown), then the
#   ratios. The host notes the sheet's showing from a thread of its own (CplHost.cpp). The cases
#   run in turns, one run of each per round, so machine load falls on all of them alike.
# It writes the product key and device keys into the prefix's registry and deletes them again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${TIVEN_ARCH:-x86_64}
case "$arch" in i686|x86_64) ;; *) echo "bench-applet: TIVEN_ARCH is i686 or x86_64, not $arch" >&2; exit 2 ;; esac
build=${TIVEN_BUILD_DIR:-$root/build}/$arch
runs=${1:-5}
. "$root/tools/wine-env.sh"
if [ "$arch" = i686 ] && ! wine_env_can_run_i686; then
    echo "bench-applet: i686: NOT RUN: this machine's kernel cannot execute 32-bit programs" >&2
    exit 1
fi
TIVEN_TARGETS="${TIVEN_TARGETS:-Tunora TunoraFirstPages CplHost rilo_sys meka_sys standin-ctl}" "$root/tools/build.sh" "$arch" "$build" >/dev/null

work=$(mktemp -d)
cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then
        for k in Tiven 'RILO\Parameters' 'MEKA\Parameters'; do
            "$WINE" reg delete "HKLM\\SYSTEM\\CurrentControlSet\\Services\\$k" /f >/dev/null 2>&1 || true
        done
    fi
    wine_env_down
    rm -rf "$work"
}
trap cleanup EXIT
wine_env_up "$build"
wine_env_standins "$build" >/dev/null

mkdir -p "$WINEPREFIX/drive_c/TivenBench"
cat > "$WINEPREFIX/drive_c/TivenBench/labels.xml" <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<labels><applet><entry><key>LADVANCED_PAGE</key><text>Advanced</text></entry></applet></labels>
XML
cpl=$("$WINE" winepath -w "$build/bin/Tunora.cpl")
cplFirst=$("$WINE" winepath -w "$build/bin/TunoraFirstPages.cpl")
host="$build/bin/CplHost.exe"

# Writes the product key and `count` device keys (serial first, then USB, 32 of each at most).
write_registry() {
    local count=$1 reg="$work/bench.reg" i driver type n
    {
        echo 'Windows Registry Editor Version 5.00'
        echo
        echo '[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Tiven]'
        echo '"Controller"=dword:00000002'
        echo '"Tiven Installed Path"="C:\\TivenBench"'
        echo '"XML File Path"="C:\\TivenBench\\labels.xml"'
        echo '"Device Name"="Panel 1"'
        for i in $(seq 1 "$count"); do
            if [ "$i" -le 32 ]; then driver=RILO; type='Tiven,Zarn,Serial'; n=$i
            else driver=MEKA; type='Tiven USB'; n=$((i - 32)); fi
            echo
            echo "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\$driver\\Parameters\\$n]"
            echo "\"Device Name\"=\"Panel $i\""
            echo "\"Controller Type\"=\"$type\""
            echo '"Sample Rate"=dword:00000032'
        done
    } > "$reg"
    for k in Tiven 'RILO\Parameters' 'MEKA\Parameters'; do
        "$WINE" reg delete "HKLM\\SYSTEM\\CurrentControlSet\\Services\\$k" /f >/dev/null 2>&1 || true
    done
    "$WINE" regedit /S "$("$WINE" winepath -w "$reg")"
}

median() { sort -n | awk '{a[NR]=$1} END {if (NR == 0) print "nan"; else if (NR % 2) print a[(NR+1)/2]; else printf "%.1f\n", (a[NR/2]+a[NR/2+1])/2}'; }

# run_case NAME HOST-ARGS...: one run of the host; its "load open" and the whole run's
# milliseconds are appended to WORK/NAME.load, .open and .run.
run_case() {
    local name=$1 out t0 t1; shift
    t0=$(date +%s%N)
    out=$("$WINE" "$host" "$@" 2>/dev/null | tr -d '\r')
    t1=$(date +%s%N)
    echo "$out" | awk '{print $1}' >>"$work/$name.load"
    echo "$out" | awk '{print $2}' >>"$work/$name.open"
    echo $(( (t1 - t0) / 1000000 )) >>"$work/$name.run"
}
med() { median <"$work/$1.$2"; }

# Every round runs each case once, so all of them see the same machine load: the registry is
# written with 1 device before the 1-device cases and with 64 before the others.
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for i in $(seq 1 "$runs"); do
    write_registry 1
    run_case one bench "$cpl"
    run_case first bench "$cplFirst"
    write_registry 64
    run_case many bench "$cpl"
    run_case empty empty
done

echo "$arch, load average before and after: $load_before / $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-26s %10s %10s %10s\n' "case (median of $runs)" "load ms" "open ms" "run ms"
printf '%-26s %10s %10s %10s\n' "Tunora, 1 device" "$(med one load)" "$(med one open)" "$(med one run)"
printf '%-26s %10s %10s %10s\n' "1 device, first 3 pages" "$(med first load)" "$(med first open)" "$(med first run)"
printf '%-26s %10s %10s %10s\n' "Tunora, 64 devices" "$(med many load)" "$(med many open)" "$(med many run)"
printf '%-26s %10s %10s %10s\n' "empty dialog program" "-" "$(med empty open)" "$(med empty run)"
awk -v l1="$(med one load)" -v l64="$(med many load)" -v o1="$(med one open)" -v oF="$(med first open)" \
    -v r1F="$(med first run)" -v o64="$(med many open)" -v oe="$(med empty open)" -v r1="$(med one run)" \
    -v r64="$(med many run)" -v re="$(med empty run)" 'BEGIN {
    printf "open 64/1 devices: %.2f   load 64/1 devices: %.2f   open 1 device / empty dialog shown: %.2f\n", o64 / o1, l64 / l1, o1 / oe
    printf "open all pages / first 3 pages (1 device): %.2f   run: %.2f\n", o1 / oF, r1 / r1F
    printf "run 1 device / empty: %.2f   run 64 devices / empty: %.2f\n", r1 / re, r64 / re
}'
