#!/usr/bin/env bash
# Makes the README's pictures from the real program, on a virtual display:
# the main window idle and during a job, the start screen and the About box,
# into docs/screenshots/. The job splits a sample large enough to be caught
# running (about 1.5 GB, written in the build tree and removed afterwards).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh

preset=$(scripts/wine-preset.sh)
mkdir -p build
log="build/$preset.log"
if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; } >"$log" 2>&1; then
    cat "$log"
    echo "Build of preset $preset failed."
    exit 1
fi

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
scripts/with-wine.sh "build/$preset" scripts/session.sh "build/$preset" "$shots" \
    --size 1500000000 --piece 100

mkdir -p docs/screenshots
for name in main-idle split-running start-screen about; do
    if [ ! -f "$shots/$name.png" ]; then
        echo "No picture $name.png was taken."
        exit 1
    fi
    cp "$shots/$name.png" docs/screenshots/
done
echo "Pictures in docs/screenshots/: main-idle, split-running, start-screen, about."
