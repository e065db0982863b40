# Sourced by the test and main-job scripts: a private Wine prefix, an Xvfb display and a
# persistent wineserver for one build folder, all stopped again by wine_env_down (by PID).
#   wine_env_up BUILD_DIR [SHARDS]
#                             exports WINEPREFIX, WINEARCH, WINE, DISPLAY, WINEDEBUG, WINEDLLOVERRIDES;
#                             with SHARDS > 1 also SHARDS-1 more prefixes beside the first (copies
#                             of it), each with a display and a wineserver of its own (see below)
#   wine_env_down
#   wine_env_each_shard CMD...  runs CMD once in every shard (WINEPREFIX and DISPLAY of that shard)
#   wine_env_make_prefix DIR  makes a new prefix of $WINEARCH in DIR, set up as the test prefix
#   wine_env_arch BUILD_DIR   prints the build's architecture (i686 or x86_64)
#   wine_env_can_run_i686     true when this machine can run 32-bit Wine
#   wine_env_standins BUILD_DIR  (re)starts the build's stand-in RILO and MEKA drivers in the prefix
#   wine_env_serialsim BUILD_DIR [COMn]  (re)starts the simulated serial touch controller on a new
#                             pty, maps COMn (default COM2) to it and lists COMn in SERIALCOMM
#   wine_env_desktop BUILD_DIR  keeps the desktop of $WINEPREFIX open with the build's desktop-hold
#                             (wine_env_up does it in every shard)
# Shards let tests that need a prefix to themselves (its display, its stand-in drivers, its
# registry, its tray) run side by side: shard 1 is BUILD/wineprefix, shard K is BUILD/wineprefix.K.
# $TIVEN_SHARD_DIR/K.env holds each one's WINEPREFIX and DISPLAY; tools/wine-run takes the shard
# CTest gave a test (resource "shard") from there. The fresh-prefix template of the install tests
# (BUILD/fresh-prefix) is beside them all, so every shard shares it.
# The prefix follows the build's architecture: an i686 build gets a 32-bit prefix (WINEARCH=win32),
# an x86_64 build a 64-bit one, each under its own build folder. $WINE is the Wine loader for that
# prefix (`wine` for 32-bit, `wine64` for 64-bit); every program, Wine's own tools (wineboot,
# winepath, regedit, control) included, is started with it. Plain `wine` would start the 32-bit
# copy of a builtin program, and a 32-bit control.exe cannot load a 64-bit applet.

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

wine_env_arch() {
    local arch
    arch=$(sed -n 's/^CMAKE_SYSTEM_PROCESSOR:[A-Z]*=//p' "$1/CMakeCache.txt" 2>/dev/null)
    if [ -z "$arch" ]; then
        case "${1%/}" in *i686*) arch=i686 ;; *) arch=x86_64 ;; esac
    fi
    echo "$arch"
}

# 32-bit Wine needs a kernel that executes 32-bit programs. Some virtual machines (PVM guests,
# kernels without IA32 emulation) refuse them with "Exec format error".
wine_env_can_run_i686() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

_wine_env_owns_display() {   # N PID: Xvfb PID holds display N (its lock file) and listens
    [ "$({ tr -d ' \n' <"/tmp/.X$1-lock"; } 2>/dev/null)" = "$2" ] && [ -e "/tmp/.X11-unix/X$1" ]
}
_wine_env_display_settled() {   # N PID: display N is ours, or our Xvfb has ended
    _wine_env_owns_display "$1" "$2" || ! kill -0 "$2" 2>/dev/null
}
# _wine_env_display: starts an Xvfb on a free display; its number is in WINE_ENV_DISPLAY.
# Two harnesses started side by side (the two architectures) can pick the same free number at
# once. The display is ours only when its lock file names our Xvfb: the other one's Xvfb finds the
# lock taken and ends, and that harness tries the next number. (A harness that took the socket of
# the other's display would lose it when the other run ends and stops its Xvfb: every later
# window of its tests would fail, each program with no display driver.)
_wine_env_display() {
    local tries n pid
    for tries in 1 2 3 4 5 6 7 8 9 10; do
        n=$(_wine_env_free_display) || { _wine_env_log "no free display"; return 1; }
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        pid=$!
        if _wine_env_wait 10 _wine_env_display_settled "$n" "$pid" && _wine_env_owns_display "$n" "$pid"; then
            WINE_ENV_XVFB_PID="${WINE_ENV_XVFB_PID:-} $pid"
            WINE_ENV_DISPLAY=$n
            return 0
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    _wine_env_log "Xvfb did not start"; return 1
}

# _wine_env_server: a persistent wineserver for $WINEPREFIX, ready once a trivial program runs
# against it. A persistent server makes each program start in milliseconds instead of half a second.
_wine_env_server() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    setsid wineserver -f -p >/dev/null 2>&1 </dev/null &
    WINE_ENV_SERVER_PID="${WINE_ENV_SERVER_PID:-} $!"
    _wine_env_wait 20 "$WINE" cmd /c exit 0 >/dev/null 2>&1 || { _wine_env_log "wineserver not ready"; return 1; }
}

wine_env_up() {
    local build arch shards=${2:-1} k prefix
    build=$(cd "$1" && pwd) || return 1
    arch=$(wine_env_arch "$build")
    if [ "$arch" = i686 ]; then
        wine_env_can_run_i686 || { _wine_env_log "this machine cannot run 32-bit Wine"; return 1; }
        export WINEARCH=win32 WINE=/usr/lib/wine/wine
    else
        export WINEARCH=win64 WINE=/usr/lib/wine/wine64
    fi
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

    # Xvfb first, so everything that follows has a display.
    _wine_env_display || return 1
    export DISPLAY=":$WINE_ENV_DISPLAY"

    # A prefix of the other architecture (older harnesses made every prefix 64-bit) is made again.
    if [ -f "$WINEPREFIX/system.reg" ] && ! grep -q "^#arch=$WINEARCH" "$WINEPREFIX/system.reg"; then
        rm -f "$WINEPREFIX/.tiven-ready"
    fi
    # The prefix is reused while it is intact (the marker is written only after a full set-up).
    if [ ! -f "$WINEPREFIX/.tiven-ready" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        _wine_env_log "creating $WINEARCH prefix $WINEPREFIX"
        wineserver -k >/dev/null 2>&1 || true
        wine_env_make_prefix "$WINEPREFIX" || return 1
    fi

    # The other shards start as copies of the first, taken while no server holds it; a copy is
    # taken again when the first prefix was made anew.
    export TIVEN_SHARDS=$shards TIVEN_SHARD_DIR="$build/shards"
    rm -rf "$TIVEN_SHARD_DIR"; mkdir -p "$TIVEN_SHARD_DIR"
    if [ "$shards" -gt 1 ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w
        for k in $(seq 2 "$shards"); do
            prefix="$build/wineprefix.$k"
            if [ ! -f "$prefix/.tiven-ready" ] || [ "$WINEPREFIX/.tiven-ready" -nt "$prefix/.tiven-ready" ]; then
                rm -rf "$prefix"
                cp -a "$WINEPREFIX" "$prefix" || { _wine_env_log "cannot copy the prefix to $prefix"; return 1; }
                touch "$prefix/.tiven-ready"
            fi
        done
    fi
    printf 'WINEPREFIX=%q\nDISPLAY=%q\n' "$WINEPREFIX" "$DISPLAY" >"$TIVEN_SHARD_DIR/1.env"
    for k in $(seq 2 "$shards"); do
        prefix="$build/wineprefix.$k"
        _wine_env_display || return 1
        printf 'WINEPREFIX=%q\nDISPLAY=%q\n' "$prefix" ":$WINE_ENV_DISPLAY" >"$TIVEN_SHARD_DIR/$k.env"
        wine_env_each_shard_one "$k" _wine_env_server || return 1
    done
    _wine_env_server || return 1
    wine_env_each_shard wine_env_desktop "$build"
}

# wine_env_each_shard CMD...: CMD in every shard of the last wine_env_up, one after the other,
# in this shell (so what it starts is stopped by wine_env_down); the first shard's WINEPREFIX and
# DISPLAY are back afterwards. Stops at the first failure.
wine_env_each_shard() {
    local k
    for k in $(seq 1 "${TIVEN_SHARDS:-1}"); do
        wine_env_each_shard_one "$k" "$@" || return
    done
}

# wine_env_each_shard_one K CMD...: CMD in shard K, in this shell; WINEPREFIX and DISPLAY are
# put back afterwards.
wine_env_each_shard_one() {
    local k=$1 rc=0 old_prefix=$WINEPREFIX old_display=$DISPLAY; shift
    eval "$(sed 's/^/export /' "$TIVEN_SHARD_DIR/$k.env")"
    "$@" || rc=$?
    export WINEPREFIX=$old_prefix DISPLAY=$old_display
    return $rc
}

# wine_env_make_prefix DIR: a new prefix of $WINEARCH in DIR (anything there is removed), set
# up for tests: no window-manager waits, no sound, no crash dialog or debugger. Its own
# wineserver has ended when this returns.
wine_env_make_prefix() {
    local dir=$1
    rm -rf "$dir"
    (
        export WINEPREFIX=$dir
        "$WINE" wineboot -i >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d "" /f >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # A crash ends the process instead of waiting in a debugger.
        "$WINE" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
        wineserver -w
    )
    grep -q "^#arch=$WINEARCH" "$dir/system.reg" \
        || { _wine_env_log "prefix $dir was not made for $WINEARCH"; return 1; }
    touch "$dir/.tiven-ready"
}

wine_env_down() {
    # Runs from an EXIT trap: nothing here may change the script's exit status.
    local pid k
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "${TIVEN_SHARD_DIR:-}" ] && [ "${TIVEN_SHARDS:-1}" -gt 1 ]; then
        for k in $(seq 2 "$TIVEN_SHARDS"); do
            [ -f "$TIVEN_SHARD_DIR/$k.env" ] || continue
            (eval "$(sed 's/^/export /' "$TIVEN_SHARD_DIR/$k.env")"; wineserver -k >/dev/null 2>&1) || true
        done
    fi
    for pid in ${WINE_ENV_DESKTOP_PIDS:-} ${WINE_ENV_SERIALSIM_PIDS:-} ${WINE_ENV_SERVER_PID:-} ${WINE_ENV_XVFB_PID:-}; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    WINE_ENV_DESKTOP_PIDS=""; WINE_ENV_SERIALSIM_PIDS=""; WINE_ENV_SERVER_PID=""; WINE_ENV_XVFB_PID=""
    return 0
}

# wine_env_desktop BUILD_DIR: the build's desktop-hold (tools/desktop) in $WINEPREFIX, started
# once the server is up and waited for until it has the desktop process running and ready. Wine
# closes a desktop a second after its last program ends, and a program that then needs a window
# starts a new desktop process and waits for it only so long: under load it can be left with no
# display driver at all (its message boxes return at once, unseen). Held open, the desktop and
# its process are started once, before any test. A build without the program is left as it is;
# the holder ends with the prefix's server.
wine_env_desktop() {
    local hold="$1/bin/desktop-hold.exe" out pid
    [ -f "$hold" ] || return 0
    out=$(mktemp)
    "$WINE" "$hold" >"$out" 2>/dev/null </dev/null &
    pid=$!
    WINE_ENV_DESKTOP_PIDS="${WINE_ENV_DESKTOP_PIDS:-} $pid"
    # The holder bounds its own waits; it prints "ready" or ends with what failed. A start that
    # hangs before that (no desktop window at all) is ended after 90 s, inside a test's 120 s, so
    # it is reported as what it is.
    local deadline=$(( $(date +%s) + 90 ))
    until grep -q '^ready' "$out"; do
        if ! kill -0 "$pid" 2>/dev/null || [ "$(date +%s)" -ge "$deadline" ]; then
            kill "$pid" 2>/dev/null || true
            _wine_env_log "the desktop of $WINEPREFIX did not come up: $(cat "$out")"
            rm -f "$out"
            return 1
        fi
        sleep 0.05
    done
    rm -f "$out"
}

wine_env_standins() {
    "$(dirname "${BASH_SOURCE[0]}")/standins.sh" start "$1/bin"
}

# The simulator runs on the Linux side of a pty; Wine reaches it through the dosdevices symlink,
# which takes effect at once (the simulator sets it, and removes it when it ends). Its files (pty, pid, log.txt, control/) are in the prefix's
# C:\serialsim\comN, where tests under Wine find them. It also ends by itself when the shell that
# started it has gone.
wine_env_serialsim() {
    local build port lower dir pid old kept parent=$BASHPID
    local script
    script="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/standin/serial/serialsim.py"
    build=$(cd "$1" && pwd) || return 1
    if [ "${WINEPREFIX:-}" != "$build/wineprefix" ] && [ "${WINEPREFIX%.*}" != "$build/wineprefix" ]; then
        _wine_env_log "serialsim: run wine_env_up $build first"; return 1
    fi
    port=$(echo "${2:-COM2}" | tr '[:lower:]' '[:upper:]')
    case "$port" in
        COM[1-9]|COM[1-9][0-9]|COM[12][0-9][0-9]) ;;
        *) _wine_env_log "serialsim: $port is not a COM port name"; return 1 ;;
    esac
    lower=$(echo "$port" | tr '[:upper:]' '[:lower:]')
    dir="$WINEPREFIX/drive_c/serialsim/$lower"
    mkdir -p "$dir"
    # A simulator this shell started earlier for the same port is replaced.
    old=$(cat "$dir/pid" 2>/dev/null || true)
    kept=""
    for pid in ${WINE_ENV_SERIALSIM_PIDS:-}; do
        if [ "$pid" = "$old" ]; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        else
            kept="$kept $pid"
        fi
    done
    WINE_ENV_SERIALSIM_PIDS=$kept
    rm -f "$dir/pty" "$dir/pid"
    setsid python3 "$script" --dir "$dir" --port "$port" --link "$WINEPREFIX/dosdevices/$lower" \
        --parent "$parent" >"$dir/stderr.txt" 2>&1 </dev/null &
    WINE_ENV_SERIALSIM_PIDS="$WINE_ENV_SERIALSIM_PIDS $!"
    if ! _wine_env_wait 10 test -s "$dir/pty"; then
        _wine_env_log "serialsim: the simulator did not start (see $dir/stderr.txt)"; return 1
    fi
    # Wine rebuilds SERIALCOMM at every start, so the port is listed after the server is up.
    "$WINE" reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v "\\Device\\Serial$((${port#COM} - 1))" \
        /t REG_SZ /d "$port" /f >/dev/null 2>&1 \
        || { _wine_env_log "serialsim: cannot list $port in SERIALCOMM"; return 1; }
}
