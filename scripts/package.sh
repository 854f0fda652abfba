#!/usr/bin/env bash
# Builds the Debian package build/debaclock_<version>_amd64.deb and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
scripts/build.sh
(cd build && cpack -G DEB)
lintian --fail-on error build/debaclock_*_amd64.deb
