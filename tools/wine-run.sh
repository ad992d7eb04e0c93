#!/usr/bin/env bash
# Runs one Windows program in a test prefix and stops the prefix's server
# afterwards, so no hook, window or process outlives the test.
#   wine-run.sh PREFIX PROGRAM [ARG...]
set -uo pipefail
source "$(dirname "$0")/wine-arch.sh"
vqx_use_wine
prefix=$1; shift
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d"
export VQX_TEST_WINDOWS=$(basename "$prefix")
# The prefix's own display (see wine-prefixes.sh).
if [ -f "$prefix/display" ]; then export DISPLAY=$(cat "$prefix/display"); fi
wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
"$WINE" "$@"
rc=$?
wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
exit $rc
