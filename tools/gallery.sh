#!/usr/bin/env bash
# Builds the gallery of VQXRES.DLL and runs it under Wine (Windows XP
# prefix), writing a PNG of every dialog, the tray menu, the tray program
# running on the simulated adapter, the icon and every bitmap, with
# index.html, into BUILD_DIR/gallery/.
#   gallery.sh [BUILD_DIR]      default: ./build
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build=$(realpath -m "${1:-build}")

cmake -S "$source_dir" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target vqx_gallery
"$here/wine-prefixes.sh" create "$build/prefixes" winxp

out=$build/gallery
rm -rf "$out"
mkdir -p "$out"
prefix=$build/prefixes/winxp
windows_out=$(WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all winepath -w "$out" 2>/dev/null)
"$here/wine-run.sh" "$prefix" "$build/bin/vqx_gallery.exe" "$windows_out"
echo "Gallery: $out/index.html"
