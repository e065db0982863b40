#!/usr/bin/env bash
# How fast each program starts, against an empty program of its kind (a benchmark, not a test):
#   tools/bench-startup.sh [RUNS]        RUNS rounds (default 9, at least 9 for a table to keep)
# For each architecture of TIVEN_ARCHS (default "x86_64 i686"; i686 only where this machine can
# run 32-bit Wine, otherwise it says i686 NOT RUN and why) it builds the programs and the bench
# equipment (tools/bench/), prepares the Wine prefix, display and stand-in drivers, writes a
# product key and two devices (serial "Panel 1", USB "Panel 2") into the prefix's registry and
# times every program from just before its process is created to its ready state:
#   Aimwell   its full-screen target window is visible          (floor: full-screen window)
#   Beaconet  both its notification icons are there              (floor: one icon)
#   Gesturo   its dialog is visible                              (floor: empty dialog)
#   Provisa   its wizard is visible (run from the setup folder)  (floor: empty dialog)
#   Purgent   its confirmation box is visible                    (floor: empty dialog)
#   Tunora    its sheet is visible (CplHost open ... dblclk)     (floor: StartupFloor.cpl's dialog)
#   Segmenta  its first request has reached a stand-in driver    (floor: hidden window, one request)
#   Chimer    its last device is armed (IOCTL_BEEP_EVENT)        (floor: one request, hidden window)
#   Sweepo    it has ended (a folder with nothing to clean)      (floor: a program that just ends)
# Each floor is built the same way (framework entry, core, static runtime; narrow entry for the
# narrow programs) and loads the same label file through the same loader where its program
# loads one. tools/bench/BenchProbe.exe starts each run and waits for the ready state with a
# deadline (windows and icons looked for every millisecond, requests by the drivers' own
# arrival times, the exit by waiting on the process), then ends the program.
# Runs are interleaved: every round runs each program and its floor once, in turns (the program
# first in odd rounds, the floor first in even ones), so machine load falls on both alike. The
# table gives median, min and max of each in milliseconds and the ratio of the medians; "*"
# marks a program above 1.5 times its floor. The load average (uptime) is printed before and
# after. The keys written and the prefix's C:\TivenBench are removed again at the end.
# TIVEN_BENCH_PROGRAMS="Aimwell Tunora" times only those; TIVEN_BENCH_RAW=1 also prints
# every run's time in order.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
top=${TIVEN_BUILD_DIR:-$root/build}
archs=${TIVEN_ARCHS:-x86_64 i686}
runs=${1:-9}
only=${TIVEN_BENCH_PROGRAMS:-}
case "$runs" in ''|*[!0-9]*) echo "usage: tools/bench-startup.sh [RUNS]" >&2; exit 2 ;; esac
[ "$runs" -ge 1 ] || { echo "usage: tools/bench-startup.sh [RUNS]" >&2; exit 2; }
[ "$runs" -ge 9 ] || echo "note: $runs runs each; a table to keep takes at least 9" >&2

. "$root/tools/wine-env.sh"

targets="Aimwell Beaconet Gesturo Provisa Purgent Sweepo Segmenta Chimer Tunora CplHost setup_folder
         StartupFloor StartupFloorA StartupFloorCpl BenchProbe rilo_sys meka_sys standin-ctl"
keys=(Tiven 'RILO\Parameters' 'MEKA\Parameters')
beep_event=0x22001C   # IOCTL_BEEP_EVENT

median() { sort -n | awk '{a[NR]=$1} END {if (NR == 0) print "-"; else if (NR % 2) print a[(NR+1)/2]; else printf "%.1f\n", (a[NR/2]+a[NR/2+1])/2}'; }
minimum() { sort -n | head -n 1; }
maximum() { sort -n | tail -n 1; }

delete_keys() {
    local k
    for k in "${keys[@]}"; do
        "$WINE" reg delete "HKLM\\SYSTEM\\CurrentControlSet\\Services\\$k" /f >/dev/null 2>&1 || true
    done
}

# write_registry WORK LABELS: the product key and the two devices.
write_registry() {
    local reg="$1/bench.reg" labels=${2//\\/\\\\}
    cat >"$reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tiven]
"Controller"=dword:00000002
"Tiven Installed Path"="C:\\\\TivenBench"
"XML File Path"="$labels"
"Calibration XML FilePath"="$labels"
"Beaconet XML File Path"="$labels"
"GXLabelsPath"="$labels"
"Device Name"="Panel 1"
"System Tray Icons"=dword:00000001

[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters\\1]
"Device Name"="Panel 1"
"Controller Type"="Tiven,Zarn,Serial"
"Sample Rate"=dword:00000032

[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters\\1]
"Device Name"="Panel 2"
"Controller Type"="Tiven USB"
"Sample Rate"=dword:00000032
REG
    delete_keys
    "$WINE" regedit /S "$("$WINE" winepath -w "$reg")"
}

# bench_arch ARCH: the whole table of one architecture (in a subshell: its prefix, display and
# wineserver end with it).
bench_arch() (
    local arch=$1 build="$top/$1" work bin setup labels uninstall_labels probe i k name which out
    trap 'if [ -n "${WINEPREFIX:-}" ]; then delete_keys; rm -rf "$WINEPREFIX/drive_c/TivenBench"; fi; wine_env_down; rm -rf "${work:-}"' EXIT
    # A build folder configured before the bench equipment existed learns of its targets.
    if [ -f "$build/CMakeCache.txt" ]; then cmake "$build" >/dev/null; fi
    mkdir -p "$build"
    TIVEN_TARGETS="$targets" "$root/tools/build.sh" "$arch" "$build" >"$build/bench-build.log" 2>&1 \
        || { echo "$arch: the build failed (log: $build/bench-build.log)" >&2; return 1; }
    work=$(mktemp -d)
    wine_env_up "$build"
    wine_env_standins "$build" >/dev/null

    # The bench folder in the prefix: the label file every program here loads (the setup's, a
    # real label file), and the uninstaller beside its own label file, as an install lays it out.
    local drive="$WINEPREFIX/drive_c/TivenBench"
    rm -rf "$drive"; mkdir -p "$drive/uninstall"
    cp "$build/setup-folder/MAVOXMLLabels.xml" "$drive/labels.xml"
    cp "$build/bin/Purgent.exe" "$drive/uninstall/uninstall.exe"
    cp "$build/setup-folder/setup/uninstall/UnInstallMAVOEnglish.xml" "$drive/uninstall/UnInstallMAVO.xml"
    labels='C:\TivenBench\labels.xml'
    uninstall_labels='C:\TivenBench\uninstall\UnInstallMAVO.xml'
    write_registry "$work" "$labels"

    bin=$("$WINE" winepath -w "$build/bin")
    setup=$("$WINE" winepath -w "$build/setup-folder")
    probe="$build/bin/BenchProbe.exe"
    local floor="$bin\\StartupFloor.exe" floorA="$bin\\StartupFloorA.exe"

    # The probe's arguments for one run (into the array `run`): what "ready" is, then " -- " and
    # the program's command line, which Wine joins from the words as they are.
    probe_args() {
        case "$1.$2" in
        Aimwell.program)  run=(window FerrinCalibrate -- "$bin\\Aimwell.exe" Panel 1) ;;
        Aimwell.floor)    run=(window TivenStartupFloor -- "$floor" fullscreen "$labels") ;;
        Beaconet.program) run=(icons BeaconetIconWindow 129 0 -- "$bin\\Beaconet.exe") ;;
        Beaconet.floor)   run=(icons TivenStartupFloor 1 -- "$floor" icon "$labels") ;;
        Gesturo.program)  run=(window '#32770' -- "$bin\\Gesturo.exe") ;;
        Gesturo.floor)    run=(window '#32770' -- "$floor" dialog "$labels") ;;
        Provisa.program)  run=(window '#32770' -- "$setup\\Provisa.exe") ;;
        Provisa.floor)    run=(window '#32770' -- "$floor" dialog "$setup\\MAVOXMLLabels.xml") ;;
        Purgent.program)  run=(window '#32770' -- 'C:\TivenBench\uninstall\uninstall.exe') ;;
        Purgent.floor)    run=(window '#32770' -- "$floor" dialog "$uninstall_labels") ;;
        Tunora.program)   run=(window '#32770' -- "$bin\\CplHost.exe" open "$bin\\Tunora.cpl" dblclk) ;;
        Tunora.floor)     run=(window '#32770' -- "$bin\\CplHost.exe" open "$bin\\StartupFloor.cpl" dblclk) ;;
        Segmenta.program) run=(requests 1 0 -- "$bin\\Segmenta.exe") ;;
        Segmenta.floor)   run=(requests 1 0 -- "$floorA" hidden) ;;
        Chimer.program)   run=(requests 2 "$beep_event" -- "$bin\\Chimer.exe") ;;
        Chimer.floor)     run=(requests 1 0 -- "$floorA" request) ;;
        Sweepo.program)   run=(exit -- "$bin\\Sweepo.exe" 'C:\TivenBench\swept') ;;
        Sweepo.floor)     run=(exit -- "$floorA" exit) ;;
        esac
    }
    # name | what "ready" is
    local cases=("Aimwell|targets shown" "Beaconet|icons added" "Gesturo|dialog shown" "Provisa|wizard shown"
                 "Purgent|confirmation shown" "Tunora|sheet shown" "Segmenta|first request"
                 "Chimer|last device armed" "Sweepo|ended")
    local chosen=()
    for k in "${cases[@]}"; do
        name=${k%%|*}
        if [ -z "$only" ] || [[ " $only " == *" $name "* ]]; then chosen+=("$name"); fi
    done
    [ "${#chosen[@]}" -gt 0 ] || { echo "no program of \"$only\" is benched here" >&2; return 2; }

    # One run: the probe's milliseconds go to WORK/NAME.WHICH; a failure is counted instead.
    run_one() {
        local name=$1 which=$2 run=()
        probe_args "$name" "$which"
        if out=$("$WINE" "$probe" "${run[@]}" 2>"$work/probe.err" | tr -d '\r') && [ -n "$out" ]; then
            echo "$out" >>"$work/$name.$which"
        else
            echo x >>"$work/$name.$which.failed"
            echo "$arch: $name ($which) run failed: $(tr -d '\r' <"$work/probe.err")" >&2
        fi
    }

    local load_before load_after
    load_before=$(uptime | sed 's/.*load average: //')
    for i in $(seq 1 "$runs"); do
        for name in "${chosen[@]}"; do
            if [ $((i % 2)) -eq 1 ]; then
                run_one "$name" program; run_one "$name" floor
            else
                run_one "$name" floor; run_one "$name" program
            fi
        done
    done
    load_after=$(uptime | sed 's/.*load average: //')

    echo "=== $arch: start-up, $runs interleaved runs each, milliseconds (load average before: $load_before; after: $load_after)"
    printf '%-9s %-18s %8s %8s %8s  %8s %8s %8s  %6s\n' program "ready when" median min max "floor" min max ratio
    for k in "${cases[@]}"; do
        IFS='|' read -r name what <<<"$k"
        [[ " ${chosen[*]} " == *" $name "* ]] || continue
        local pm="-" pmin="-" pmax="-" fm="-" fmin="-" fmax="-" ratio="-" fails=""
        if [ -s "$work/$name.program" ]; then
            pm=$(median <"$work/$name.program"); pmin=$(minimum <"$work/$name.program"); pmax=$(maximum <"$work/$name.program")
        fi
        if [ -s "$work/$name.floor" ]; then
            fm=$(median <"$work/$name.floor"); fmin=$(minimum <"$work/$name.floor"); fmax=$(maximum <"$work/$name.floor")
        fi
        if [ "$pm" != "-" ] && [ "$fm" != "-" ]; then
            ratio=$(awk -v p="$pm" -v f="$fm" 'BEGIN { if (f > 0) printf "%.2f%s", p / f, (p / f > 1.5 ? "*" : " "); else print "-" }')
        fi
        for which in program floor; do
            [ -f "$work/$name.$which.failed" ] && fails="$fails $(wc -l <"$work/$name.$which.failed") $which runs failed"
        done
        printf '%-9s %-18s %8s %8s %8s  %8s %8s %8s  %6s%s\n' "$name" "$what" "$pm" "$pmin" "$pmax" "$fm" "$fmin" "$fmax" "$ratio" "$fails"
        if [ -n "${TIVEN_BENCH_RAW:-}" ]; then
            for which in program floor; do
                [ -s "$work/$name.$which" ] && echo "    $which runs in order: $(tr '\n' ' ' <"$work/$name.$which")"
            done
        fi
    done
)

status=0
for arch in $archs; do
    if [ "$arch" = i686 ] && ! wine_env_can_run_i686; then
        echo "=== i686: NOT RUN: this machine's kernel cannot execute 32-bit programs, so 32-bit Wine cannot start"
        continue
    fi
    bench_arch "$arch" || status=1
done
exit $status
