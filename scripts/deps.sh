#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing debaclock need.
# usage: scripts/deps.sh [run|test|package]
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6opengl6-dev
    libboost1.81-dev libqrencode-dev libzip-dev libssl-dev libmosquitto-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
    fonts-wqy-zenhei fonts-liberation xdg-utils
    qt6-translations-l10n
)
if [ "${1:-run}" = test ]; then
    # A sound server for the real audio tests, a display for screenshots, and a language whose
    # decimal sign is a comma, for the tests that read numbers under it.
    packages+=(pulseaudio pulseaudio-utils xvfb locales)
    # A real MQTT broker for the tournament tests, with its password tool, and a browser that
    # renders the board page.
    packages+=(mosquitto chromium)
fi
if [ "${1:-run}" != run ]; then
    # The install tree's desktop entry and AppStream metadata are validated.
    packages+=(desktop-file-utils appstream)
fi
if [ "${1:-run}" = package ]; then
    # cpack's dependency computation, and the package checker.
    packages+=(dpkg-dev file lintian)
fi
. "$(dirname "$0")/apt_missing.sh"
install_missing "${packages[@]}"
if [ "${1:-run}" = test ] && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
