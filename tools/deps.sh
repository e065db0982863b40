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
for p in cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 wine32:i386 xvfb googletest \
         x11-apps x11-utils imagemagick ccache; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    echo "deps: installing ${need[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
