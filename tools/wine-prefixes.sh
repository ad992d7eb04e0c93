#!/usr/bin/env bash
# Wine prefixes for the test suite, one per Windows version the system is
# tested on, made once per build folder and then reused.
#
#   wine-prefixes.sh create ROOT VERSION...   make what is missing, start the displays
#   wine-prefixes.sh desktop ROOT              make ROOT/desktop if it is missing
#   wine-prefixes.sh stop ROOT                 stop every server and display
#
# The desktop prefix is for a user's own display (tools/run.sh): Windows XP
# settings, windows framed by the user's window manager, no display of its
# own.
# Each prefix has a display of its own (an Xvfb server), so that tests of
# different prefixes that run at the same time never share the keyboard
# focus.
# Every prefix is a cheap copy of one template: hard links for the bulk of the
# files, real copies of the files wineserver rewrites in place.  Versions:
#   win95 win98 winme nt40 win2k   as Wine reports them
#   winxp0                         Windows XP without a service pack
#   winxp1                         Windows XP SP1, the first with a service pack
#   winxp                          Windows XP SP3
#   win7                           Wine's default (6.1), which the system refuses
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-arch.sh"
vqx_use_wine
cmd=$1 root=$2; shift 2
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d"
mkdir -p "$root"

# Starts an Xvfb server for DIR unless its own still runs; DIR/display names it.
start_display() {
    local dir=$1 n
    if [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then return 0; fi
    for n in $(seq 90 160); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        echo $! > "$dir/xvfb.pid"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        echo ":$n" > "$dir/display"
        return 0
    done
    echo "no free X display" >&2; return 1
}

stop_display() {
    local dir=$1
    [ -f "$dir/xvfb.pid" ] && kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    rm -f "$dir/xvfb.pid" "$dir/display"
}

server_stop() { WINEPREFIX=$1 wineserver -k 2>/dev/null || true; WINEPREFIX=$1 wineserver -w 2>/dev/null || true; }

make_template() {
    local t=$root/template
    [ -f "$t/.done" ] && return 0
    rm -rf "$t"
    DISPLAY=$(cat "$root/display") WINEPREFIX=$t "$WINE" wineboot -i >/dev/null 2>&1
    WINEPREFIX=$t wineserver -w
    touch "$t/.done"
}

service_pack() {  # XP's service pack as text and as number (major in the high byte)
    cat <<REG

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion]
"CSDVersion"="$1"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Windows]
"CSDVersion"=dword:$2
REG
}

nt_version() {  # an NT version, its build and service pack (as for service_pack)
    cat <<REG

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion]
"CurrentVersion"="$1"
"CurrentBuild"="$2"
"CurrentBuildNumber"="$2"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ProductOptions]
"ProductType"="WinNT"
REG
    service_pack "$3" "$4"
}

version_settings() {  # the registry settings of version $1, which Wine calls $2
    local v=$1
    echo REGEDIT4
    # The test displays have no window manager, where closing a managed
    # window takes about 2 s; a user's desktop keeps its window manager.
    [ "$v" = desktop ] || cat <<'REG'

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
    cat <<'REG'

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winhlp32.exe"=""
REG
    # 64-bit winecfg cannot set a version (see make_prefix): the 95 family is
    # named, the NT family described by the values Windows itself keeps.
    if [ "$WINEARCH" = win64 ]; then
        case $2 in
            win95|win98|winme) printf '\n[HKEY_CURRENT_USER\\Software\\Wine]\n"Version"="%s"\n' "$2" ;;
            nt40)  nt_version 4.0 1381 "Service Pack 6a" 00000600 ;;
            win2k) nt_version 5.0 2195 "Service Pack 4" 00000400 ;;
            winxp) nt_version 5.1 2600 "Service Pack 3" 00000300 ;;
        esac
    fi
    case $v in
        winxp0) service_pack "" 00000000 ;;
        winxp1) service_pack "Service Pack 1" 00000100 ;;
    esac
}

make_prefix() {
    local v=$1 p=$root/$1
    [ -f "$p/.done" ] && return 0
    rm -rf "$p"
    cp -al "$root/template" "$p"
    rm -f "$p/.done"
    local f
    for f in "$p"/*.reg "$p"/drive_c/windows/*.ini; do
        [ -e "$f" ] || continue
        cp --remove-destination "$root/template/${f#$p/}" "$f"
    done
    local win=$v
    case $v in winxp0|winxp1|desktop) win=winxp ;; win7) win="" ;; esac
    export WINEPREFIX=$p DISPLAY=$(cat "$root/display")
    # 64-bit winecfg sets no version; version_settings does it there.
    if [ -n "$win" ] && [ "$WINEARCH" = win32 ]; then "$WINE" winecfg -v "$win" >/dev/null 2>&1; fi
    version_settings "$v" "$win" > "$p/drive_c/vqx-settings.reg"
    "$WINE" regedit /S 'C:\vqx-settings.reg' >/dev/null 2>&1
    wineserver -w
    touch "$p/.done"
}

# Makes the template and the prefixes VERSION... that are missing, on a
# display of their own that goes when they are made.
make_missing() {
    local v missing=0
    [ -f "$root/template/.done" ] || missing=1
    for v in "$@"; do [ -f "$root/$v/.done" ] || missing=1; done
    [ $missing = 1 ] || return 0
    start_display "$root"
    make_template
    for v in "$@"; do make_prefix "$v"; done
    stop_display "$root"
}

case $cmd in
create)
    make_missing "$@"
    for v in "$@"; do start_display "$root/$v"; done
    ;;
desktop)
    make_missing desktop
    ;;
stop)
    for p in "$root"/*/; do
        [ -f "$p/.done" ] && server_stop "$p"
        stop_display "$p"
    done
    ;;
*) echo "usage: $0 create ROOT VERSION... | desktop ROOT | stop ROOT" >&2; exit 2 ;;
esac
