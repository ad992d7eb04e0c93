#!/usr/bin/env bash
# Installs what is missing and builds everything into BUILD_DIR; on a machine
# that runs no 32-bit programs, also into BUILD_DIR-x86_64 (see wine-arch.sh).
#   tools/build.sh BUILD_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/wine-arch.sh"
bash "$top/tools/setup.sh"
vqx_configure "$1"
cmake --build "$1" -j"$(nproc)"
runnable=$(vqx_runnable_build "$1")
if [ "$runnable" != "$1" ]; then
    echo "This machine runs no 32-bit programs: the same sources are built for x86-64" \
         "into $runnable too, and those binaries run on 64-bit Wine." >&2
    vqx_configure "$runnable"
    cmake --build "$runnable" -j"$(nproc)"
fi
