#!/usr/bin/env bash
# How fast the applet opens (a benchmark, not a test): tools/bench-applet.sh [RUNS]
#   Builds x86_64, prepares the Wine prefix, display and stand-in drivers, and runs the test host
#   CplHost.exe RUNS times (default 5) per case. It prints the medians, in milliseconds, of:
#     load   LoadLibrary of Tunora.cpl (builds the device collection from the device keys)
#     open   CPL_DBLCLK until the sheet is visible
#     run    the whole host process, from its start under Wine to its end (sheet closed as soon as shown)
#   with 1 and with 64 devices, with 1 device in a build of the applet whose sheet has only its
#   first three pages (TunoraFirstPages.cpl, built on request for this), and of an empty dialog
#   program built the same way (CplHost.exe empty: process start to its dialog shown), then the
#   ratios. The host notes the sheet's showing from a thread of its own (CplHost.cpp).
# It writes the product key and device keys into the prefix's registry and deletes them again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TIVEN_BUILD_DIR:-$root/build}/x86_64
runs=${1:-5}
TIVEN_TARGETS="${TIVEN_TARGETS:-Tunora TunoraFirstPages CplHost rilo_sys meka_sys standin-ctl}" "$root/tools/build.sh" x86_64 "$build" >/dev/null

. "$root/tools/wine-env.sh"
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

# Runs the host RUNS times; prints "load open run" medians.
measure() {
    local loads=() opens=() walls=() out t0 t1 i
    for i in $(seq 1 "$runs"); do
        t0=$(date +%s%N)
        out=$("$WINE" "$host" "$@" 2>/dev/null | tr -d '\r')
        t1=$(date +%s%N)
        loads+=("$(echo "$out" | awk '{print $1}')")
        opens+=("$(echo "$out" | awk '{print $2}')")
        walls+=("$(( (t1 - t0) / 1000000 ))")
    done
    echo "$(printf '%s\n' "${loads[@]}" | median) $(printf '%s\n' "${opens[@]}" | median) $(printf '%s\n' "${walls[@]}" | median)"
}

# Runs the host once per case per round, RUNS rounds, so both cases see the same machine load;
# prints "load open run" medians of the first case, then of the second.
measure_two() {
    local first=$1 second=$2 i out t0 t1 la=() oa=() wa=() lb=() ob=() wb=()
    for i in $(seq 1 "$runs"); do
        for which in a b; do
            t0=$(date +%s%N)
            if [ $which = a ]; then out=$("$WINE" "$host" bench "$first" 2>/dev/null | tr -d '\r')
            else out=$("$WINE" "$host" bench "$second" 2>/dev/null | tr -d '\r'); fi
            t1=$(date +%s%N)
            if [ $which = a ]; then
                la+=("$(echo "$out" | awk '{print $1}')"); oa+=("$(echo "$out" | awk '{print $2}')"); wa+=("$(( (t1 - t0) / 1000000 ))")
            else
                lb+=("$(echo "$out" | awk '{print $1}')"); ob+=("$(echo "$out" | awk '{print $2}')"); wb+=("$(( (t1 - t0) / 1000000 ))")
            fi
        done
    done
    echo "$(printf '%s\n' "${la[@]}" | median) $(printf '%s\n' "${oa[@]}" | median) $(printf '%s\n' "${wa[@]}" | median)"
    echo "$(printf '%s\n' "${lb[@]}" | median) $(printf '%s\n' "${ob[@]}" | median) $(printf '%s\n' "${wb[@]}" | median)"
}

write_registry 1
{ read -r load1 open1 run1; read -r loadF openF runF; } < <(measure_two "$cpl" "$cplFirst")
write_registry 64
read -r load64 open64 run64 < <(measure bench "$cpl")
read -r _ openEmpty runEmpty < <(measure empty)

printf '%-26s %10s %10s %10s\n' "case (median of $runs)" "load ms" "open ms" "run ms"
printf '%-26s %10s %10s %10s\n' "Tunora, 1 device" "$load1" "$open1" "$run1"
printf '%-26s %10s %10s %10s\n' "1 device, first 3 pages" "$loadF" "$openF" "$runF"
printf '%-26s %10s %10s %10s\n' "Tunora, 64 devices" "$load64" "$open64" "$run64"
printf '%-26s %10s %10s %10s\n' "empty dialog program" "-" "$openEmpty" "$runEmpty"
awk -v o1="$open1" -v oF="$openF" -v r1F="$runF" -v o64="$open64" -v oe="$openEmpty" -v r1="$run1" -v r64="$run64" -v re="$runEmpty" 'BEGIN {
    printf "open 64/1 devices: %.2f   open 1 device / empty dialog shown: %.2f\n", o64 / o1, o1 / oe
    printf "open all pages / first 3 pages (1 device): %.2f   run: %.2f\n", o1 / oF, r1 / r1F
    printf "run 1 device / empty: %.2f   run 64 devices / empty: %.2f\n", r1 / re, r64 / re
}'
