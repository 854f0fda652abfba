#!/usr/bin/env bash
# Runs the cross-built suite under Wine (scripts/windows/build.sh first), headless.
# usage: scripts/windows/test.sh [ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
prefix=$(scripts/windows/toolchain.sh --print-prefix)
# shellcheck source=wine_env.sh
. scripts/windows/wine_env.sh
wine_ready
export QT_QPA_PLATFORM=offscreen
status=0
nice -n 19 ctest --test-dir build-win64 --output-on-failure -j"${JOBS:-2}" "$@" |
    tee build-win64/last-test.log || status=$?
echo "windows suite: $(grep -E '^[0-9]+% tests passed' build-win64/last-test.log || echo 'no summary')"
"${wine_loader%/*}/wineserver" -k 2>/dev/null || true
exit $status
