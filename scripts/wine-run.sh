#!/bin/sh
# Runs a Windows executable under Wine: the emulator that ctest uses for the
# Windows test executables. The Wine prefix is private to the build tree
# (the folder holding CMakeCache.txt) unless WINEPREFIX is already set.
set -e
exe=$1
[ -n "$exe" ] || { echo "usage: wine-run.sh PROGRAM.exe [ARGS...]" >&2; exit 2; }

if [ -z "$WINEPREFIX" ]; then
    dir=$(cd "$(dirname "$exe")" && pwd)
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
    export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG=${WINEDEBUG:--all}

# The PE header's machine field says which loader the program needs.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ')
if [ "$machine" = 8664 ]; then
    export WINEARCH=win64
    exec /usr/lib/wine/wine64 "$@"
fi
export WINEARCH=win32
exec wine "$@"
