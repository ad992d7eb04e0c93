# Cross-compiles the product: 32-bit Windows binaries, with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Tests and tools run the produced binaries under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
