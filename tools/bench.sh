#!/usr/bin/env bash
# Measures, pinned to one CPU, under Wine (Windows XP prefix) on the
# simulated adapter: what the hot-key hook costs a focused application per
# key event, how fast the tray program starts and opens its menu, and how
# fast Display Properties comes up, paints its preview and applies a choice.
#   tools/bench.sh [BUILD_DIR]      (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/wine-arch.sh"
build=$(vqx_runnable_build "$(realpath -m "${1:-$top/build}")")
vqx_configure "$build"
vqx_use_wine "$build"
cmake --build "$build" -j"$(nproc)" --target hook_benchmark tray_benchmark pages_benchmark
"$top/tools/wine-prefixes.sh" create "$build/prefixes" winxp
taskset -c 0 "$top/tools/wine-run.sh" "$build/prefixes/winxp" "$build/bin/hook_benchmark.exe"
taskset -c 0 "$top/tools/wine-run.sh" "$build/prefixes/winxp" "$build/bin/tray_benchmark.exe"
taskset -c 0 "$top/tools/wine-run.sh" "$build/prefixes/winxp" "$build/bin/pages_benchmark.exe"
"$top/tools/wine-prefixes.sh" stop "$build/prefixes"
