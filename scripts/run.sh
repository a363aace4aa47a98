#!/usr/bin/env bash
# The run command: builds Parvion and runs it under Wine.
#
# With a display ($DISPLAY set and reachable) it starts the program there and
# waits until its window is closed. Without one it starts a virtual display,
# runs a short scripted session (split a sample file, merge the pieces back
# and compare, open the About box), saves pictures of each step into
# build/screenshots/ and prints a summary.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh

preset=$(scripts/wine-preset.sh)
mkdir -p build
for p in windows "$preset"; do
    log="build/$p.log"
    if ! { cmake --preset "$p" && cmake --build --preset "$p"; } >"$log" 2>&1; then
        cat "$log"
        echo "Build of preset $p failed."
        exit 1
    fi
done
echo "Built build/windows/app/Parvion.exe, the product (32-bit Windows)."

exe="build/$preset/app/Parvion.exe"
if [ "$preset" != windows ]; then
    echo "This machine refuses 32-bit programs, so Wine cannot start the product here;"
    echo "running $exe instead: the same sources built for 64-bit Windows."
fi

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "Starting $exe on display $DISPLAY; Parvion ends when its window is closed."
    WINEPREFIX="$PWD/build/$preset/wineprefix" scripts/wine-run.sh "$exe" \
        2> >(grep -v 'FS volume label and serial' >&2)
    echo "Parvion has ended."
else
    echo "No display: a scripted session on a virtual display, driven as a user would."
    status=0
    scripts/with-wine.sh "build/$preset" scripts/session.sh "build/$preset" build/screenshots ||
        status=$?
    echo "Pictures of the session in build/screenshots/:"
    ls build/screenshots/*.png 2>/dev/null | sed 's/^/  /'
    if [ $status -eq 0 ]; then
        echo "The session worked: split, merge back byte for byte, About box, close."
    else
        echo "The session FAILED (see the steps above)."
    fi
    exit $status
fi
