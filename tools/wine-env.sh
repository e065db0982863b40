# Sourced by the test and main-job scripts: a private Wine prefix, an Xvfb display and a
# persistent wineserver for one run, all stopped again by wine_env_down (by PID).
#   wine_env_up BUILD_DIR     exports WINEPREFIX, DISPLAY, WINEDEBUG, WINEDLLOVERRIDES
#   wine_env_down

_wine_env_log() { echo "wine-env: $*" >&2; }

_wine_env_free_display() {
    local n
    for n in $(seq 90 199); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then echo "$n"; return 0; fi
    done
    return 1
}

_wine_env_wait() {   # _wine_env_wait SECONDS COMMAND... : polls COMMAND until it succeeds
    local deadline=$(( $(date +%s) + $1 )); shift
    until "$@"; do
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

wine_env_up() {
    local build=$1
    export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

    # Xvfb first, so everything that follows has a display.
    local tries n
    for tries in 1 2 3 4 5; do
        n=$(_wine_env_free_display) || { _wine_env_log "no free display"; return 1; }
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        WINE_ENV_XVFB_PID=$!
        if _wine_env_wait 10 test -e "/tmp/.X11-unix/X$n" && kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null; then
            break
        fi
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null; WINE_ENV_XVFB_PID=""
    done
    [ -n "${WINE_ENV_XVFB_PID:-}" ] || { _wine_env_log "Xvfb did not start"; return 1; }
    export DISPLAY=":$n"

    # The prefix is reused while it is intact (the marker is written only after a full set-up).
    if [ ! -f "$WINEPREFIX/.tiven-ready" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        _wine_env_log "creating prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d "" /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # A crash ends the process instead of waiting in a debugger.
        wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
        wineserver -w
        touch "$WINEPREFIX/.tiven-ready"
    fi

    # A persistent server makes each program start in milliseconds instead of half a second.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    setsid wineserver -f -p >/dev/null 2>&1 </dev/null &
    WINE_ENV_SERVER_PID=$!
    # The server is ready once a trivial program runs against it.
    _wine_env_wait 20 wine cmd /c exit 0 >/dev/null 2>&1 || { _wine_env_log "wineserver not ready"; return 1; }
}

wine_env_down() {
    # Runs from an EXIT trap: nothing here may change the script's exit status.
    local pid
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    for pid in ${WINE_ENV_SERVER_PID:-} ${WINE_ENV_XVFB_PID:-}; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    WINE_ENV_SERVER_PID=""; WINE_ENV_XVFB_PID=""
    return 0
}
