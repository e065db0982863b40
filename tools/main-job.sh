#!/usr/bin/env bash
# The suite's main job: set up and build, lay out the setup folder, install the suite silently
# into a fresh prefix, start the logon programs as a logon would, and open the installed applet
# through the prefix's control.exe, saving a screenshot of its sheet.
#   tools/main-job.sh [screenshot.png]      (default build/main-job.png)
# It runs the i686 build, the suite's target, in a 32-bit prefix. On a machine that cannot run
# 32-bit Wine it says so and runs the x86_64 build in a 64-bit prefix. TIVEN_MAIN_ARCH=x86_64 (or
# i686) chooses the build. The installed prefix stays (BUILD/main-job-prefix) for a look by hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shot=${1:-$root/build/main-job.png}
"$root/tools/deps.sh"
. "$root/tools/wine-env.sh"

arch=${TIVEN_MAIN_ARCH:-}
if [ -z "$arch" ]; then
    if wine_env_can_run_i686; then
        arch=i686
    else
        echo "main-job: this machine's kernel cannot execute 32-bit programs, so 32-bit Wine cannot" \
             "start; running the x86_64 build in a 64-bit prefix instead" >&2
        arch=x86_64
    fi
fi
build=${TIVEN_BUILD_DIR:-$root/build}/$arch
# The setup folder brings every program of the suite with it.
TIVEN_TARGETS="${TIVEN_TARGETS:-setup_folder rilo_sys meka_sys standin-ctl}" "$root/tools/build.sh" "$arch" "$build"
folder=$build/setup-folder

trap wine_env_down EXIT
wine_env_up "$build"
# A fresh prefix of its own for the install; the harness's test prefix stays as it is.
wineserver -k >/dev/null 2>&1 || true
export WINEPREFIX=$build/main-job-prefix
wine_env_make_prefix "$WINEPREFIX"
setsid wineserver -f -p >/dev/null 2>&1 </dev/null &
WINE_ENV_SERVER_PID=$!
echo "main-job: $arch build, installing into a fresh $WINEARCH prefix ($WINEPREFIX)"

# What Windows has and a fresh prefix lacks: the logon program in Userinit, the mouse class key.
"$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon' /v Userinit /t REG_SZ \
    /d 'C:\windows\system32\userinit.exe,' /f >/dev/null
"$WINE" reg add 'HKLM\System\CurrentControlSet\Services\Mouclass\Parameters' /f >/dev/null

# The silent install, started from another folder as a script would.
rc=0
(cd "$WINEPREFIX/drive_c" && "$WINE" "$(cd "$folder" && pwd)/Provisa.exe" -s -en -eig) || rc=$?
[ $rc -eq 0 ] || { echo "main-job: the silent install failed with exit code $rc" >&2; exit 1; }
echo "main-job: installed; Winlogon and Run values:"
"$WINE" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon' /v Userinit | tr -d '\r' | grep Userinit
"$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' | tr -d '\r' | grep -i 'exe'

# Wine runs nothing at logon: start what Winlogon (Chimer in Userinit) and the Run values would
# (the Run values name their programs in quotes).
# Programs still laid out as placeholders are skipped until their targets exist.
logon=()
while IFS= read -r entry; do logon+=("$entry"); done < <(
    "$WINE" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon' /v Userinit | tr -d '\r' |
        sed -n 's/.*REG_SZ *//p' | tr ',' '\n' | grep -i 'chimer\.exe$' || true
    "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' | tr -d '\r' |
        sed -n 's/^ *\(BeaconetApplication\|MultiMonitor Listener\) *REG_EXPAND_SZ *//p' | sed 's/^"\(.*\)"$/\1/')
for program in "${logon[@]}"; do
    unix=$("$WINE" winepath -u "$program" | tr -d '\r')
    if [ "$(head -c 2 "$unix" 2>/dev/null)" = MZ ]; then
        echo "main-job: starting $program at logon"
        "$WINE" "$program" >/dev/null 2>&1 &
    else
        echo "main-job: $program is not built yet; not started"
    fi
done

# The stand-in drivers answer for the touch controllers.
wine_env_standins "$build"

# The prefix's own control.exe opens the applet the install put into the system folder.
"$WINE" control 'C:\windows\system32\Tunora.cpl' &
app=$!
sheet_shown() {
    kill -0 "$app" 2>/dev/null || { echo "main-job: control.exe ended before the sheet appeared" >&2; exit 1; }
    xwininfo -root -tree -display "$DISPLAY" 2>/dev/null | grep -q "Touch Panel Device Properties\""
}
_wine_env_wait 30 sheet_shown || { echo "main-job: the applet's sheet did not appear within 30 s" >&2; exit 1; }

# The sheet is painted once two pictures taken one after another are the same.
prev="$shot.prev.png"
"$root/tools/screenshot.sh" "$prev"
painted() {
    "$root/tools/screenshot.sh" "$shot"
    cmp -s "$shot" "$prev" && return 0
    cp "$shot" "$prev"
    return 1
}
_wine_env_wait 15 painted || echo "main-job: the display kept changing; saving the last picture" >&2
rm -f "$prev"
echo "main-job: screenshot of the installed applet's sheet saved to $shot"
wineserver -k >/dev/null 2>&1 || true
wait $app 2>/dev/null || true
