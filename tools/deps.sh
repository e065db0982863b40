#!/usr/bin/env bash
# Installs what a fresh Debian machine needs to build and test the suite (idempotent: a second
# run installs nothing). The suite targets 32-bit Windows, so 32-bit Wine (wine32:i386) is
# installed beside the 64-bit one.
set -euo pipefail
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "deps: adding the i386 architecture"
    $SUDO dpkg --add-architecture i386
fi
need=()
# Wine's X11 driver loads the X extension libraries (XRender, XRandR, XInput, Xcursor, ...) at run
# time: they are only recommended, so --no-install-recommends leaves them out. The 64-bit ones come
# in with Xvfb and ImageMagick, the 32-bit ones with nothing, and without them 32-bit Wine runs
# other, less used paths of its own. Both architectures get the same set.
xlibs=()
for l in libxrender1 libxcursor1 libxi6 libxrandr2 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1; do
    xlibs+=("$l:amd64" "$l:i386")
done
# The toolchain files use the -posix compilers only: the plain g++-mingw-w64-* packages would bring
# the win32-thread compilers too (a quarter of all the bytes downloaded here).
for p in cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386 xvfb googletest \
         x11-apps x11-utils imagemagick ccache "${xlibs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    echo "deps: installing ${need[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
