#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, checks the tree file by file and runs the desktop
# entry and AppStream validators on it.
# usage: test_install.sh BUILD_DIR SOURCE_DIR APPSTREAM_ID
set -euo pipefail
build=$1 source=$2 id=$3
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
root=$dest/usr
fail() { echo "FAIL: $*" >&2; exit 1; }

expected=$(
    {
        echo bin/debaclock
        echo bin/ctlcheck
        echo share/applications/debaclock.desktop
        echo share/icons/hicolor/scalable/apps/debaclock.svg
        for size in 16 24 32 48 64 128 256; do
            echo "share/icons/hicolor/${size}x${size}/apps/debaclock.png"
        done
        echo "share/metainfo/$id.metainfo.xml"
        echo share/doc/debaclock/copyright
        echo share/doc/debaclock/changelog.gz
        echo share/doc/debaclock/examples/mosquitto/debaclock.conf
        echo share/doc/debaclock/examples/mosquitto/debaclock.acl
        echo share/man/man1/debaclock.1.gz
        echo share/man/man1/ctlcheck.1.gz
        (cd "$source/data" && find . -type f | sed 's#^\./#share/debaclock/#')
    } | LC_ALL=C sort
)
actual=$(cd "$root" && find . -type f -o -type l | sed 's#^\./##' | LC_ALL=C sort)
[ "$expected" = "$actual" ] ||
    fail "installed files differ from the expected list:
$(diff <(echo "$expected") <(echo "$actual"))"

for program in debaclock ctlcheck; do
    [ -x "$root/bin/$program" ] || fail "bin/$program is not executable"
done
# The defaults are the shipped data as it is, where the program looks for them.
diff -r "$source/data" "$root/share/debaclock" >/dev/null || fail "share/debaclock differs from data/"
[ -d "$root/bin/../share/debaclock/config" ] || fail "no defaults beside bin/"
for size in 16 24 32 48 64 128 256; do
    cmp -s "$source/packaging/icons/debaclock-$size.png" \
        "$root/share/icons/hicolor/${size}x${size}/apps/debaclock.png" || fail "icon $size"
done
for packed in doc/debaclock/changelog.gz man/man1/debaclock.1.gz man/man1/ctlcheck.1.gz; do
    gzip -t "$root/share/$packed" || fail "$packed is not gzip"
done

# desktop-file-validate prints hints as well as errors: a clean entry prints nothing.
out=$(desktop-file-validate "$root/share/applications/debaclock.desktop" 2>&1) &&
    [ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"
echo "install tree and validators: fine"
