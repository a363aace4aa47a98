#!/usr/bin/env bash
# session.sh BUILD_DIR SHOT_DIR [--size BYTES] [--piece N]
# Runs the scripted session (tests/e2e/Session.cpp) with BUILD_DIR's
# Parvion.exe: a split of a sample file, the merge back, the About box. Run it
# inside scripts/with-wine.sh, which provides the display and the Wine prefix.
# The pictures that the session asks for are taken here with ImageMagick's
# `import`, cut to the program's windows, into SHOT_DIR/NAME.png.
set -euo pipefail

build_dir=$(cd "${1:?usage: session.sh BUILD_DIR SHOT_DIR [options]}" && pwd)
mkdir -p "${2:?usage: session.sh BUILD_DIR SHOT_DIR [options]}"
shot_dir=$(cd "$2" && pwd)
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# A picture already there would answer the session's request at once.
rm -f "$shot_dir"/*.png "$shot_dir"/*.rect "$shot_dir"/*.rect.part
# The sample files live on the Wine prefix's drive C:, so that the program
# shows short Windows paths (C:\Samples\sample.bin) in its status lines.
work="${WINEPREFIX:?run this inside scripts/with-wine.sh}/drive_c/Samples"
rm -rf "$work"
mkdir -p "$work"
watcher_pid=""
cleanup() {
    [ -n "$watcher_pid" ] && kill "$watcher_pid" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

# Windows' screen coordinates are those of the Wine desktop window; without
# one, those of the X screen itself.
desktop=$(xdotool search --name 'Wine desktop' 2>/dev/null | head -n1 || true)
take_pictures() {
    while :; do
        for request in "$shot_dir"/*.rect; do
            [ -e "$request" ] || continue
            read -r x y w h <"$request"
            name=${request%.rect}
            if ! import -window "${desktop:-root}" -crop "${w}x${h}+${x}+${y}" +repage \
                "$name.part.png" 2>/dev/null; then
                # No picture: the session goes on after its bounded wait.
                echo "could not take $(basename "$name").png" >&2
                rm -f "$request"
                continue
            fi
            mv "$name.part.png" "$name.png"
            rm -f "$request"
        done
        sleep 0.05
    done
}
take_pictures &
watcher_pid=$!

# The Windows console ends its lines with CR LF. Wine reports that the file
# dialog could not read drive Z:'s label: noise.
set +e
"$here/wine-run.sh" "$build_dir/tests/e2e/parvion_session.exe" tour \
    "$build_dir/app/Parvion.exe" 'C:\Samples' "$shot_dir" "$@" \
    2> >(grep -v 'FS volume label and serial' >&2) | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
exit "$status"
