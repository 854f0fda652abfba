#!/usr/bin/env bash
# Builds the prefix that debaclock's Windows build links against: OpenSSL, libzip, libqrencode,
# mosquitto (library and broker), Qt's base and multimedia modules, cross-compiled with Debian's
# MinGW-w64 from Debian 12's own source packages, plus Boost's headers and Qt's Chinese catalogue.
#
# The prefix is keyed by the pinned versions and this script's own files, so a change to either
# builds a new one; a complete prefix is left alone. A packed prefix in ../shared/toolchains/
# beside the checkout is unpacked instead of building, after its key is checked.
#
# usage: scripts/windows/toolchain.sh [--print-prefix]
#   JOBS=2 by default; every compiler runs under nice -n 19 so the machine stays usable.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
jobs=${JOBS:-2}

host_packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
    wine64 nsis libboost1.81-dev qt6-translations-l10n dpkg-dev perl
)
# Source packages, in build order. Qt's versions match the host's Qt tools (moc, rcc, uic).
sources=(
    openssl=3.0.17-1~deb12u2
    libzip=1.7.3-1
    qrencode=4.1.1-1
    mosquitto=2.0.11-1.2+deb12u2
    qt6-base=6.4.2+dfsg-10
    qt6-multimedia=6.4.2-5
)

key=$( (printf '%s\n' "${sources[@]}" "${host_packages[@]}"; cat "$here/toolchain.sh" "$here/mingw-w64.cmake") |
    sha256sum | cut -c1-16)
sources_key=$(printf '%s\n' "${sources[@]}" | sha256sum | cut -c1-16)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/debaclock
prefix=$cache/win64-$key
# Downloads and unpacked sources are shared by every prefix of the same versions.
work=$cache/work-$sources_key

if [ "${1:-}" = --print-prefix ]; then
    echo "$prefix"
    exit 0
fi

complete() { [ -f "$prefix/.complete" ] && [ "$(cat "$prefix/.complete")" = "$key" ]; }

if complete; then
    echo "toolchain: $prefix is complete"
    exit 0
fi

packed=$(ls "$root"/../shared/toolchains/win64-"$key".tar.* 2>/dev/null | head -n1 || true)
if [ -n "$packed" ]; then
    echo "toolchain: unpacking $packed"
    mkdir -p "$cache"
    rm -rf "$prefix"
    tar -xf "$packed" -C "$cache"
    if ! complete; then
        echo "toolchain: $packed does not hold a complete win64-$key" >&2
        exit 1
    fi
    echo "toolchain: $prefix is complete"
    exit 0
fi

started_all=$(date +%s)
took() { echo "toolchain: $1 took $(($(date +%s) - $2)) s"; }

# --- host packages ---------------------------------------------------------------------------
. "$here/../apt_missing.sh"
install_missing "${host_packages[@]}"

# --- source packages, through an apt configuration of our own ----------------------------------
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src" "$work/build" \
    "$prefix/.stamps"
cat >"$work/apt/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
EOF
apt_own=(-o Dir::Etc::sourcelist="$work/apt/sources.list" -o Dir::Etc::sourceparts=-
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
    -o APT::Get::List-Cleanup=0)
if [ ! -f "$work/sources-fetched" ]; then
    apt-get "${apt_own[@]}" -qq update
    # Each package's description and upstream tarballs, checked against the signed index.
    # Debian's own patch tarball is not needed (and not always served).
    for s in "${sources[@]}"; do
        apt-get "${apt_own[@]}" -qq source --print-uris "$s" 2>/dev/null | grep "^'" |
            grep -v '\.debian\.tar\.' | while read -r uri file _size hash; do
                [ -f "$work/src/$file" ] ||
                    /usr/lib/apt/apt-helper download-file "${uri//\'/}" "$work/src/$file" "$hash" >/dev/null
            done
    done
    touch "$work/sources-fetched"
fi

# Unpacks a source package's upstream tarball; Debian's patches fit Debian's Linux builds.
unpack() {
    local name=$1 version=$2 dir=$work/src/$1 upstream
    upstream=${version#*:}
    upstream=${upstream%-*}
    if [ ! -d "$dir" ]; then
        rm -rf "$dir.partial"
        mkdir -p "$dir.partial"
        nice -n 19 tar -xf "$(ls "$work/src/${name}_${upstream}".orig.tar.* | grep -v '\.asc$')" \
            -C "$dir.partial" --strip-components=1
        mv "$dir.partial" "$dir"
    fi
    echo "$dir"
}

version_of() {
    local s
    for s in "${sources[@]}"; do
        [ "${s%%=*}" = "$1" ] && echo "${s#*=}" && return
    done
}

triple=x86_64-w64-mingw32
export PATH=$PATH
export DEBACLOCK_WIN64_PREFIX=$prefix
nicely=(nice -n 19)
# A rebuild for a changed script mostly hits the compiler cache.
launcher=()
command -v ccache >/dev/null && launcher=(ccache)
cmake_cross=(cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake"
    -DCMAKE_C_COMPILER_LAUNCHER="${launcher[*]}" -DCMAKE_CXX_COMPILER_LAUNCHER="${launcher[*]}"
    -DDEBACLOCK_WIN64_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix"
    -DCMAKE_BUILD_TYPE=Release)

# Runs one package's build unless its stamp says it is in the prefix.
step() {
    local name=$1
    shift
    [ -f "$prefix/.stamps/$name" ] && return
    local t
    t=$(date +%s)
    echo "toolchain: building $name"
    "$@"
    touch "$prefix/.stamps/$name"
    took "$name" "$t"
}

build_zlib() {
    # Debian's MinGW zlib; the DLL ships beside the program.
    mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include"
    cp -a /usr/$triple/include/zlib.h /usr/$triple/include/zconf.h "$prefix/include/"
    cp -a /usr/$triple/lib/libz.dll.a "$prefix/lib/"
    cp -a /usr/$triple/lib/zlib1.dll "$prefix/bin/" 2>/dev/null ||
        cp -a /usr/$triple/bin/zlib1.dll "$prefix/bin/"
}

build_openssl() {
    local src
    src=$(unpack openssl "$(version_of openssl)")
    # Configured without the prefix, which only the install step sees, so a new prefix
    # reuses what was compiled for another.
    if [ ! -f "$work/build/openssl/Makefile" ]; then
        rm -rf "$work/build/openssl"
        cp -a "$src" "$work/build/openssl"
        (cd "$work/build/openssl" &&
            "${nicely[@]}" ./Configure mingw64 shared no-tests no-module --prefix=/ --libdir=lib \
                CC="${launcher[*]} $triple-gcc-posix" RC=$triple-windres AR=$triple-ar \
                RANLIB=$triple-ranlib >/dev/null)
    fi
    cd "$work/build/openssl"
    # One target: two in parallel race on the generated headers.
    "${nicely[@]}" make -j"$jobs" -s build_programs >/dev/null 2>"$work/build/openssl.log"
    make -s install_sw DESTDIR="$prefix" >/dev/null 2>>"$work/build/openssl.log"
    sed -i "s|^prefix=.*|prefix=$prefix|" "$prefix"/lib/pkgconfig/{libcrypto,libssl,openssl}.pc
    cd - >/dev/null
}

build_libzip() {
    local src
    src=$(unpack libzip "$(version_of libzip)")
    "${nicely[@]}" "${cmake_cross[@]}" -S "$src" -B "$work/build/libzip" -DBUILD_SHARED_LIBS=ON \
        -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
        -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_COMMONCRYPTO=OFF \
        -DENABLE_WINDOWS_CRYPTO=ON -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
        -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.dll.a" >/dev/null
    "${nicely[@]}" ninja -C "$work/build/libzip" -j"$jobs" install >/dev/null
}

build_qrencode() {
    local src
    src=$(unpack qrencode "$(version_of qrencode)")
    "${nicely[@]}" "${cmake_cross[@]}" -S "$src" -B "$work/build/qrencode" -DBUILD_SHARED_LIBS=ON \
        -DWITH_TOOLS=OFF -DWITH_TESTS=OFF >/dev/null
    "${nicely[@]}" ninja -C "$work/build/qrencode" -j"$jobs" install >/dev/null
}

build_mosquitto() {
    local src
    src=$(unpack mosquitto "$(version_of mosquitto)")
    # Its Windows threads are pthreads-win32 at a fixed MSVC path; MinGW's posix threads serve.
    sed -i -e 's|C:\\\\pthreads\\\\Pre-built.2\\\\lib\\\\x[0-9]*\\\\pthreadVC2.lib|pthread|' \
        -e 's|C:\\\\pthreads\\\\Pre-built.2\\\\include||' "$src/CMakeLists.txt"
    # The library for the tournament link, the broker and its password tool for the tests.
    "${nicely[@]}" "${cmake_cross[@]}" -S "$src" -B "$work/build/mosquitto" \
        -DWITH_TLS=ON -DWITH_TLS_PSK=ON -DWITH_CJSON=OFF -DWITH_SRV=OFF -DWITH_WEBSOCKETS=OFF \
        -DWITH_STATIC_LIBRARIES=OFF -DWITH_PLUGINS=OFF -DDOCUMENTATION=OFF -DWITH_THREADING=ON \
        -DWITH_BROKER=ON -DWITH_APPS=ON -DWITH_CLIENTS=OFF -DWITH_LIB_CPP=OFF \
        -DOPENSSL_ROOT_DIR="$prefix" >/dev/null
    "${nicely[@]}" ninja -C "$work/build/mosquitto" -j"$jobs" install >/dev/null
}

build_qtbase() {
    local src
    src=$(unpack qt6-base "$(version_of qt6-base)")
    # No ICU (GBK goes through the system's code page 936), TLS through Schannel, no pen
    # tablets (the Wintab header is not in the sources), none of the modules debaclock does not
    # use. OpenGL stays on: the Windows platform plugin does not compile without it. With
    # DirectWrite 3 on, MinGW's Gui does not export the font database the plugin links.
    "${nicely[@]}" "${cmake_cross[@]}" -S "$src" -B "$work/build/qtbase" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DFEATURE_icu=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_schannel=ON -DINPUT_openssl=no -DFEATURE_tabletevent=OFF \
        -DFEATURE_direct2d=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_directwrite3=OFF \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_system_zlib=OFF >"$work/build/qtbase.configure.log"
    "${nicely[@]}" ninja -C "$work/build/qtbase" -j"$jobs" >"$work/build/qtbase.build.log"
    ninja -C "$work/build/qtbase" install >/dev/null
}

build_qtmultimedia() {
    local src
    src=$(unpack qt6-multimedia "$(version_of qt6-multimedia)")
    "${nicely[@]}" "${cmake_cross[@]}" -S "$src" -B "$work/build/qtmultimedia" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_PREFIX_PATH="$prefix" -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_spatialaudio=OFF -DFEATURE_spatialaudio_quick3d=OFF \
        >"$work/build/qtmultimedia.configure.log"
    "${nicely[@]}" ninja -C "$work/build/qtmultimedia" -j"$jobs" >"$work/build/qtmultimedia.build.log"
    ninja -C "$work/build/qtmultimedia" install >/dev/null
}

build_headers_and_catalogue() {
    # Header-only Boost (Beast, Asio) is the same for both platforms; only it is copied, so the
    # host's /usr/include never reaches the cross compiler.
    mkdir -p "$prefix/include" "$prefix/translations"
    rm -rf "$prefix/include/boost"
    cp -a /usr/include/boost "$prefix/include/boost"
    cp -a /usr/share/qt6/translations/qtbase_zh_CN.qm "$prefix/translations/"
}

step zlib build_zlib
step openssl build_openssl
step libzip build_libzip
step qrencode build_qrencode
step mosquitto build_mosquitto
step qtbase build_qtbase
step qtmultimedia build_qtmultimedia
step headers build_headers_and_catalogue

echo "$key" >"$prefix/.complete"
took "the toolchain" "$started_all"
echo "toolchain: $prefix holds $(du -sh "$prefix" | cut -f1)"
