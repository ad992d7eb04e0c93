#!/usr/bin/env bash
# Installs every prerequisite from Debian's packages: the i686 mingw-w64
# cross compiler, 32-bit Wine, their x86-64 counterparts (for machines that
# run no 32-bit programs, see wine-arch.sh), Xvfb, the screenshot tools and xdpyinfo (which
# tells tools/run.sh whether a display is there).  Idempotent and quiet when
# everything is already there.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
          mingw-w64-tools binutils-mingw-w64-i686 googletest
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine32:i386 wine64 xvfb xauth xdotool imagemagick x11-utils python3)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
