#!/usr/bin/env bash
# Installs what is missing and builds everything into BUILD_DIR.
#   tools/build.sh BUILD_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh"
cmake -S "$top" -B "$1" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$1" -j"$(nproc)"
