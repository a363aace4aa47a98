#!/usr/bin/env bash
# Builds Parvion and starts it under Wine.
# For now the window is still being built: this runs the console job runner
# on a sample file (split at 1, merge back, compare) through the real engine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
preset=$(scripts/wine-preset.sh)
for p in windows "$preset"; do
    { cmake --preset "$p" >/dev/null && cmake --build --preset "$p" >/dev/null; } || { echo "build of $p failed"; exit 1; }
done
sample_dir=$(mktemp -d)
head -c 3000000 /dev/urandom >"$sample_dir/sample.bin"
cp "$sample_dir/sample.bin" "$sample_dir/original.bin"
run() { WINEPREFIX="$PWD/build/$preset/wineprefix" scripts/wine-run.sh "build/$preset/tools/jobrun.exe" "$@"; }
echo "Split $sample_dir/sample.bin into pieces of 1 x 1,024,000 bytes:"
run split "$sample_dir/sample.bin" 1
rm "$sample_dir/sample.bin"
echo "Merge the pieces back:"
run merge "$sample_dir/sample.bin.1"
cmp "$sample_dir/sample.bin" "$sample_dir/original.bin" && echo "The merged file equals the original, byte for byte."
rm -rf "$sample_dir"
