#!/usr/bin/env bash
# with-wine.sh BUILD_DIR COMMAND...
# Runs COMMAND with Wine ready for the Windows build in BUILD_DIR: the Wine
# prefix private to that build tree, a virtual X display (Xvfb), a Wine
# virtual desktop (windows get frames, and closing one does not stall), and a
# persistent wineserver so that each test start is quick. Everything it
# starts is stopped again when COMMAND ends; COMMAND's exit status is kept.
set -euo pipefail

build_dir=$(cd "${1:?usage: with-wine.sh BUILD_DIR COMMAND...}" && pwd)
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
if grep -q 'x86_64-w64-mingw32' "$build_dir/CMakeCache.txt" 2>/dev/null; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
else
    export WINEARCH=win32 WINELOADER=/usr/bin/wine
fi

xvfb_pid=""
desktop_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$desktop_pid" ] && kill "$desktop_pid" >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
    wait >/dev/null 2>&1 || true
}
trap cleanup EXIT

# A display must exist before the first Wine process: a wineserver started
# without one keeps a desktop that can never show a window.
if [ -z "${PARVION_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$display_file")"
    rm -f "$display_file"
fi

mkdir -p "$WINEPREFIX"
wineserver -p
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINELOADER" wineboot -i >/dev/null 2>&1
else
    "$WINELOADER" wineboot >/dev/null 2>&1 || true
fi
# One virtual desktop for all windows: frames and captions without a window
# manager, and no 2 s stall whenever a visible window is destroyed.
if ! grep -q 'Explorer\\\\Desktops' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p
fi
# The desktop lives as long as some program holds it open.
"$WINELOADER" explorer.exe /desktop=Default,1024x768 >/dev/null 2>&1 &
desktop_pid=$!

status=0
"$@" || status=$?
exit $status
