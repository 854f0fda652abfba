#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)" "$@"
