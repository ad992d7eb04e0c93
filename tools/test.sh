#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# under Wine, one entry per test and Windows version.
#   tools/test.sh [BUILD_DIR]      (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/wine-arch.sh"
build=$(realpath -m "${1:-$top/build}")
bash "$top/tools/build.sh" "$build"
ctest --test-dir "$(vqx_runnable_build "$build")" -j"$(nproc)" --output-on-failure
