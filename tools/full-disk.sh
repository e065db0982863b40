#!/usr/bin/env bash
# An install onto a full disk, then one with room, the uninstall, the restart and the logon
# cleanup, in a fresh prefix:
#   tools/full-disk.sh BUILD_DIR
# The parent of the install folder ("C:\Program Files\Tiven") is a small file system of its own
# (tmpfs), with room for the settings launcher, the mode selector and the small files only, so
# the other programs do not fit. The setup must then fail and say so, leave every file under its
# real name whole, leave no partial copy, and make no logon entry (Winlogon "Userinit", the Run
# values) for a program that was not installed whole. With room again, a second setup installs
# everything; the uninstall, the restart and the cleanup then leave the prefix as it was before
# the first install. Run by ctest (FullDiskInstall) through tools/wine-fresh-run --shell. Mounting
# needs root: without it the test says so and is skipped (exit code 77).
set -euo pipefail
. "$(dirname "$0")/prefix-picture.sh"
picture_script full-disk "$1"

setup_folder=$build/setup-folder
parent="$WINEPREFIX/drive_c/Program Files/Tiven"
dir="$parent/Tiven MAVO"
mounted=""
unmount() { [ -n "$mounted" ] && umount "$parent" 2>/dev/null && mounted=""; return 0; }
trap unmount EXIT

windows_state
picture before

# Room for the settings launcher and the mode selector, and for the small files beside them.
room=$(( $(stat -c %s "$setup_folder/setup/exes/RenkaCPL.exe") + $(stat -c %s "$setup_folder/setup/exes/Gesturo.exe") + 256 * 1024 ))
mkdir -p "$parent"
if ! mount -t tmpfs -o "size=$room" tmpfs "$parent" 2>"$work/mount.txt"; then
    say "SKIPPED: cannot mount a small file system here ($(cat "$work/mount.txt"))"
    exit 77
fi
mounted=yes
say "C:\\Program Files\\Tiven holds $room bytes"

set +e
"$WINE" "$build/bin/life-cycle-steps.exe" setup -s -en -eig >"$work/full.txt" 2>&1
code=$?
set -e
tr -d '\r' <"$work/full.txt" | sed 's/^/full-disk:   /'
[ $code -eq 1 ] || fail "the install onto the full disk ended with $code, not 1"
grep -q 'Installation Failed' "$work/full.txt" || fail "the install onto the full disk did not say it failed"
grep -q 'Completed Successfully' "$work/full.txt" && fail "the install onto the full disk said it succeeded"

# Every file under its real name is the setup folder's, whole; no partial copy is left.
whole() { cmp -s "$1" "$2"; }
while IFS='|' read -r source target; do
    [ -e "$dir/$target" ] || continue
    whole "$setup_folder/$source" "$dir/$target" || fail "$target is there but not whole"
done <<'FILES'
setup/exes/RenkaCPL.exe|RenkaCPL.exe
setup/exes/Gesturo.exe|Gesturo.exe
setup/exes/Beaconet.exe|Beaconet.exe
setup/exes/Aimwell.exe|Aimwell.exe
setup/exes/Segmenta.exe|Segmenta.exe
setup/exes/Chimer.exe|Chimer.exe
setup/uninstall/uninstall.exe|uninstall/uninstall.exe
setup/uninstall/Sweepo.exe|uninstall/Sweepo.exe
FILES
partials=$(find "$dir" -name '*.partial' | wc -l)
[ "$partials" -eq 0 ] || fail "$partials partial copies were left"
for program in Beaconet.exe Segmenta.exe Chimer.exe; do
    [ ! -e "$dir/$program" ] || fail "$program fitted: the test's room is too large"
done

# No logon entry for a program that was not installed whole.
value() { { "$WINE" reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
userinit=$(value 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon' Userinit)
say "Winlogon Userinit: $userinit"
[ "$userinit" = 'C:\windows\system32\userinit.exe,' ] || fail "Userinit names a program that was not installed: $userinit"
for name in BeaconetApplication 'MultiMonitor Listener'; do
    run=$(value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' "$name")
    say "Run value $name: ${run:-none}"
    [ -z "$run" ] || fail "the Run value $name names a program that was not installed: $run"
done

# Room again: the second install puts everything in place.
unmount
"$WINE" "$build/bin/life-cycle-steps.exe" setup -s -en -eig >"$work/room.txt" 2>&1 ||
    { cat "$work/room.txt"; fail "the install with room failed"; }
grep -q 'Completed Successfully' "$work/room.txt" || fail "the install with room did not say it succeeded"
say "installed with room"

"$WINE" "$build/bin/life-cycle-steps.exe" || fail "the logon, applet or uninstall steps failed"
"$WINE" wineboot -r || fail "the restart failed"
"$WINE" "$build/bin/life-cycle-steps.exe" cleanup || fail "the logon cleanup did not run"
"$WINE" wineboot -r || fail "the second restart failed"
say "uninstalled, restarted, cleaned up at logon, restarted"

picture after
if pictures_differ before after; then
    exit 1
fi
say "registry and files as before the first install, but for what the suite keeps"
