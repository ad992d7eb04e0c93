# Sourced by the scripts that build or run the system under Wine.
#
# The product is 32-bit Windows.  A machine whose kernel runs no 32-bit
# programs (IA-32 emulation switched off) cannot start 32-bit Wine at all;
# there the same sources are also built for x86-64, into the sibling folder
# BUILD-x86_64, and it is that build which runs, on 64-bit Wine.
#
#   vqx_runs_32bit          true when this machine runs 32-bit programs
#   vqx_runnable_build B    the build folder whose binaries run here: B or B-x86_64
#   vqx_configure B         configures B (x86-64 when its name ends in -x86_64)
#   vqx_use_wine [B]        exports WINEARCH, VQX_WINEARCH and WINE for build B,
#                           or for VQX_WINEARCH (default win32) without one

vqx_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

vqx_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

vqx_runnable_build() {
    if vqx_runs_32bit; then echo "$1"; else echo "$1-x86_64"; fi
}

vqx_configure() {
    local toolchain=mingw-i686
    case $1 in *-x86_64) toolchain=mingw-x86_64 ;; esac
    cmake -S "$vqx_top" -B "$1" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$vqx_top/cmake/$toolchain.cmake" >/dev/null
}

vqx_use_wine() {
    if [ -n "${1:-}" ] && [ -f "$1/winearch" ]; then VQX_WINEARCH=$(cat "$1/winearch"); fi
    export VQX_WINEARCH=${VQX_WINEARCH:-win32}
    export WINEARCH=$VQX_WINEARCH
    # Debian's wine command always picks the 32-bit loader when it is installed.
    if [ "$WINEARCH" = win64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
    export WINE
}
