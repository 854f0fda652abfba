#!/usr/bin/env bash
# Makes what a Windows user downloads, in build-win64/ (scripts/windows/build.sh first):
#   debaclock-<version>-win64.zip   one folder debaclock\, portable: its own config\ beside it
#   debaclock-<version>-setup.exe   the Chinese installer (NSIS), defaults in defaults\
# Only the DLLs the programs import, found by walking their import tables, are shipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
prefix=$(scripts/windows/toolchain.sh --print-prefix)
build=$root/build-win64
triple=x86_64-w64-mingw32
version=$(sed -n 's/^project(debaclock VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
programs=("$build/debaclock/debaclock.exe" "$build/debaclock/ctlcheck.exe")
for p in "${programs[@]}"; do
    [ -f "$p" ] || { echo "package.sh: $p is missing; run scripts/windows/build.sh" >&2; exit 1; }
done

# The plugins a debaclock window needs: the platform, the Windows style, JPEG pictures, the
# multimedia backend, TLS through Schannel.
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll
    tls/qschannelbackend.dll)
for p in "$prefix"/plugins/multimedia/*.dll; do
    [ -e "$p" ] && plugins+=("multimedia/${p##*/}")
done
dll_dirs=("$prefix/bin" "$prefix/lib" /usr/lib/gcc/$triple/12-posix /usr/$triple/lib)

find_dll() {
    local d
    for d in "${dll_dirs[@]}"; do
        [ -f "$d/$1" ] && { echo "$d/$1"; return; }
    done
}

# Every DLL of ours that `files` import, and theirs in turn; the system's own are not found in
# our folders and stay out.
needed_dlls() {
    local -A seen=()
    local queue=("$@") file name path
    while [ ${#queue[@]} -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        while read -r name; do
            [ -n "${seen[$name]:-}" ] && continue
            seen[$name]=1
            path=$(find_dll "$name")
            [ -n "$path" ] && { echo "$path"; queue+=("$path"); }
        done < <($triple-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
    done | sort -u
}

# Lays out one program folder in $1; $2 is where the shipped data goes (. or defaults).
lay_out() {
    local dir=$1 data=$2 p
    rm -rf "$dir"
    mkdir -p "$dir/translations" "$dir/$data"
    cp "${programs[@]}" "$dir/"
    for p in "${plugins[@]}"; do
        mkdir -p "$dir/plugins/${p%/*}"
        cp "$prefix/plugins/$p" "$dir/plugins/$p"
    done
    while read -r p; do
        cp "$p" "$dir/"
    done < <(needed_dlls "${programs[@]}" "${plugins[@]/#/$prefix/plugins/}")
    cp "$prefix/translations/qtbase_zh_CN.qm" "$dir/translations/"
    # Qt finds its plugins and catalogue beside the program, wherever the folder is.
    printf '[Paths]\r\nPrefix=.\r\nPlugins=plugins\r\nTranslations=translations\r\n' >"$dir/qt.conf"
    cp -r data/. "$dir/$data/"
    $triple-strip --strip-unneeded "$dir"/*.exe "$dir"/*.dll "$dir"/plugins/*/*.dll
}

stage=$build/package
lay_out "$stage/portable/debaclock" .
zip=$build/debaclock-$version-win64.zip
rm -f "$zip"
(cd "$stage/portable" && cmake -E tar cf "$zip" --format=zip debaclock)
echo "package: $zip is $(du -h "$zip" | cut -f1)"

lay_out "$stage/installed" defaults
installer=$build/debaclock-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage/installed" \
    -DICON="$build/windows/debaclock.ico" -DOUT="$installer" \
    -DPUBLISHER="$(sed -n 's/^DEBACLOCK_PUBLISHER:STRING=//p' "$build/CMakeCache.txt")" \
    scripts/windows/installer.nsi
echo "package: $installer is $(du -h "$installer" | cut -f1)"
