#!/usr/bin/env bash
# Cross-builds debaclock.exe, ctlcheck.exe, the tests and the benches for 64-bit Windows into
# build-win64/, against the prefix that scripts/windows/toolchain.sh made.
# usage: scripts/windows/build.sh [Release|RelWithDebInfo]   (JOBS=2 by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
prefix=$(scripts/windows/toolchain.sh --print-prefix)
if [ ! -f "$prefix/.complete" ]; then
    echo "build.sh: no Windows toolchain at $prefix; make it with scripts/windows/toolchain.sh" >&2
    exit 1
fi
# pkg-config and CMake look in the prefix only, never at the host's libraries.
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH= PKG_CONFIG_SYSROOT_DIR=
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
nice -n 19 cmake -S . -B build-win64 -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/mingw-w64.cmake" \
    -DDEBACLOCK_WIN64_PREFIX="$prefix" -DCMAKE_BUILD_TYPE="${1:-Release}" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${launcher[@]}"
nice -n 19 cmake --build build-win64 -j"${JOBS:-2}"
