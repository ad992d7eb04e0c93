# Cross-compiles the same sources as 64-bit Windows binaries.  The product is
# 32-bit (mingw-i686.cmake); this build exists for machines whose kernel runs
# no 32-bit programs, where 32-bit Wine cannot start and the test suite runs
# on 64-bit Wine instead (tools/wine-arch.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Debian's wine command always picks the 32-bit loader when it is installed.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
