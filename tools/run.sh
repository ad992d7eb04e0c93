#!/usr/bin/env bash
# The system's main job: installs what is missing, builds everything, then
#  - on a display (DISPLAY set and reachable): starts the tray program on the
#    simulated adapter in a Wine desktop window of 1024x768, whose taskbar
#    shows its icon, with the stand-in Display control panel and the
#    extension registered, so that the icon's "Display Properties" opens
#    them; it ends when that window is closed or on Ctrl+C;
#  - without one (CI): renders every screen of the control panel under Wine,
#    the tray program at work included, into BUILD_DIR/gallery/index.html.
#   tools/run.sh [BUILD_DIR]      (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/wine-arch.sh"
build=$(realpath -m "${1:-$top/build}")
bash "$top/tools/build.sh" "$build"

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    bash "$top/tools/gallery.sh" "$build"
    "$top/tools/wine-prefixes.sh" stop "$(vqx_runnable_build "$build")/prefixes"
    exit 0
fi

# A prefix of its own for the user's session, switched to the simulated
# adapter; its server goes with the desktop (and the tray program's hook).
build=$(vqx_runnable_build "$build")
vqx_use_wine "$build"
"$top/tools/wine-prefixes.sh" desktop "$build/prefixes"
export WINEPREFIX=$build/prefixes/desktop WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true' EXIT
"$WINE" "$build/bin/vqxsimctl.exe" install
"$WINE" "$build/bin/vqxregister.exe" install "$("$WINE" winepath -w "$build/bin")"
# The extension starts the tray program by name: from here it is found.
cd "$build/bin"
echo "The VQX desktop is open: close its window or press Ctrl+C to end."
"$WINE" explorer /desktop=VQX,1024x768 "$("$WINE" winepath -w "$build/bin/VQXTray.exe")" || true
