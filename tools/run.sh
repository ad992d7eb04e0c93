#!/usr/bin/env bash
# The system's main job on this machine: installs what is missing, builds
# everything and renders every screen of the control panel (dialogs, pages,
# tray menu, icon and pictures) under Wine into build/gallery/index.html.
#   tools/run.sh [BUILD_DIR]      (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
bash "$top/tools/build.sh" "$build"
bash "$top/tools/gallery.sh" "$build"
"$top/tools/wine-prefixes.sh" stop "$build/prefixes"
