#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# under Wine, one entry per test and Windows version.
#   tools/test.sh [BUILD_DIR]      (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
bash "$top/tools/build.sh" "$build"
ctest --test-dir "$build" -j"$(nproc)" --output-on-failure
