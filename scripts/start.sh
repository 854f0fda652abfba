#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh
exec build/debaclock/debaclock "$@"
