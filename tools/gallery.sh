#!/usr/bin/env bash
# Builds the gallery of VQXRES.DLL and runs it under Wine (Windows 2000
# prefix: the system that offers every arrangement), writing a PNG of every
# dialog, the tray menu, the tray program and Display Properties running on
# the simulated adapter, the icon and every bitmap, with index.html, into
# BUILD_DIR/gallery/.
#   gallery.sh [BUILD_DIR]      default: ./build
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-arch.sh"
build=$(realpath -m "${1:-build}")
# The pictures land in BUILD_DIR whichever build draws them.
runnable=$(vqx_runnable_build "$build")

vqx_configure "$runnable"
cmake --build "$runnable" -j"$(nproc)" --target vqx_gallery
vqx_use_wine "$runnable"
"$here/wine-prefixes.sh" create "$runnable/prefixes" win2k

out=$build/gallery
rm -rf "$out"
mkdir -p "$out"
prefix=$runnable/prefixes/win2k
windows_out=$(WINEPREFIX=$prefix WINEDEBUG=-all "$WINE" winepath -w "$out" 2>/dev/null)
"$here/wine-run.sh" "$prefix" "$runnable/bin/vqx_gallery.exe" "$windows_out"
echo "Gallery: $out/index.html"
