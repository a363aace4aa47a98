#!/usr/bin/env bash
# The one test command: installs what is missing, builds every configuration
# and runs every test. Natively (plain, ASan + UBSan, TSan) for the engine and
# the portable core; the Windows build under Wine on a virtual display for the
# rest, and a bounded libFuzzer run of the input parsers. Exits non-zero if anything fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/setup.sh

jobs=$(nproc)
# Build output is kept in the build tree and shown only when the build fails.
configure_and_build() {
    local log="build/$1.log"
    mkdir -p build
    if ! { cmake --preset "$1" -DPARVION_WERROR=ON && cmake --build --preset "$1" -j "$jobs"; } >"$log" 2>&1; then
        cat "$log"
        echo "Build of preset $1 failed."
        return 1
    fi
}

for preset in host host-asan host-tsan host-fuzz; do
    echo "== $preset"
    configure_and_build "$preset"
    ctest --preset "$preset" -j "$jobs" -LE large
done

echo "== windows (the product, PE32)"
configure_and_build windows
scripts/check-exe.sh build/windows/tools/jobrun.exe $(ls build/windows/app/*.exe 2>/dev/null)

wine_preset=$(scripts/wine-preset.sh)
if [ "$wine_preset" != windows ]; then
    echo "== $wine_preset (this machine runs no 32-bit programs: the Windows tests use a 64-bit build of the same sources)"
    configure_and_build "$wine_preset"
fi
echo "== Windows tests under Wine ($wine_preset)"
scripts/with-wine.sh "build/$wine_preset" ctest --preset "$wine_preset" -LE large
