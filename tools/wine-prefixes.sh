#!/usr/bin/env bash
# Wine prefixes for the test suite, one per Windows version the system is
# tested on, made once per build folder and then reused.
#
#   wine-prefixes.sh create ROOT VERSION...   make what is missing, start Xvfb
#   wine-prefixes.sh stop ROOT                 stop every server and Xvfb
#
# Every prefix is a cheap copy of one template: hard links for the bulk of the
# files, real copies of the files wineserver rewrites in place.  Versions:
#   win95 win98 winme nt40 win2k   as Wine reports them
#   winxp0                         Windows XP without a service pack
#   winxp                          Windows XP SP3
#   win7                           Wine's default (6.1), which the system refuses
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cmd=$1 root=$2; shift 2
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d"
mkdir -p "$root"

start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    [ -f "$root/display" ] && kill -0 "$(cat "$root/xvfb.pid" 2>/dev/null)" 2>/dev/null && return 0
    local n
    for n in $(seq 90 130); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        echo $! > "$root/xvfb.pid"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        echo ":$n" > "$root/display"
        return 0
    done
    echo "no free X display" >&2; return 1
}

server_stop() { WINEPREFIX=$1 wineserver -k 2>/dev/null || true; WINEPREFIX=$1 wineserver -w 2>/dev/null || true; }

make_template() {
    local t=$root/template
    [ -f "$t/.done" ] && return 0
    rm -rf "$t"
    WINEPREFIX=$t wineboot -i >/dev/null 2>&1
    WINEPREFIX=$t wineserver -w
    touch "$t/.done"
}

version_settings() {  # the registry settings of one version
    local v=$1
    cat <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winhlp32.exe"=""
REG
    if [ "$v" = winxp0 ]; then
        cat <<'REG'

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion]
"CSDVersion"=""

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Windows]
"CSDVersion"=dword:00000000
REG
    fi
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
    case $v in winxp0) win=winxp ;; win7) win="" ;; esac
    export WINEPREFIX=$p
    [ -n "$win" ] && wine winecfg -v "$win" >/dev/null 2>&1
    version_settings "$v" > "$p/drive_c/vqx-settings.reg"
    wine regedit /S 'C:\vqx-settings.reg' >/dev/null 2>&1
    wineserver -w
    touch "$p/.done"
}

case $cmd in
create)
    start_display
    make_template
    for v in "$@"; do make_prefix "$v"; done
    ;;
stop)
    for p in "$root"/*/; do [ -f "$p/.done" ] && server_stop "$p"; done
    if [ -f "$root/xvfb.pid" ]; then kill "$(cat "$root/xvfb.pid")" 2>/dev/null || true; rm -f "$root/xvfb.pid" "$root/display"; fi
    ;;
*) echo "usage: $0 create|stop ROOT [VERSION...]" >&2; exit 2 ;;
esac
