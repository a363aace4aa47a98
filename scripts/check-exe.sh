#!/usr/bin/env bash
# check-exe.sh EXE...: each must be a 32-bit PE (PE32, i386) that imports
# system DLLs only, so that it runs on a bare Windows XP or later.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|comdlg32|comctl32|shell32|shlwapi|advapi32|msvcrt)\.dll$'
status=0
for exe in "$@"; do
    format=$(i686-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
    if [ "$format" != "pei-i386" ]; then
        echo "$exe: format $format, expected pei-i386 (PE32)"
        status=1
    fi
    while read -r dll; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
            echo "$exe: imports $dll, which is not a system DLL"
            status=1
        fi
    done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
    [ $status -eq 0 ] && echo "$exe: PE32, system DLLs only ($(stat -c %s "$exe") bytes)"
done
exit $status
