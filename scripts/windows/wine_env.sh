# Sourced: the environment in which Windows builds run under Wine here. Expects $root (the
# checkout) and $prefix (the toolchain's prefix). A Wine prefix of its own in build-win64/, made
# on first use, with an English system code page as a fresh Wine has.
wine_loader=/usr/lib/wine/wine64  # Debian 12 puts no wine64 on the PATH
export WINEPREFIX=${WINEPREFIX:-$root/build-win64/wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts, no menu entries on the host.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The DLLs the programs need: Qt and the libraries of the prefix (libqrencode installs its DLL
# among the import libraries), MinGW's runtime.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
WINEPATH="$(windows_path "$prefix/bin");$(windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix)"
WINEPATH="$WINEPATH;$(windows_path /usr/x86_64-w64-mingw32/lib);$(windows_path "$prefix/lib")"
export WINEPATH
export QT_PLUGIN_PATH
QT_PLUGIN_PATH=$(windows_path "$prefix/plugins")
# Qt writes its messages to the debugger unless told otherwise, where Wine drops them.
export QT_FORCE_STDERR_LOGGING=1

wine_ready() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        nice -n 19 "$wine_loader" wineboot --init >/dev/null 2>&1
        "${wine_loader%/*}/wineserver" -w
    fi
}
