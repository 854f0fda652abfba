#!/usr/bin/env bash
# Packs PNG pictures into one Windows icon file (PNG entries, as Windows Vista and later read).
# usage: make_ico.sh OUT.ico SIZE:PICTURE.png...
set -euo pipefail
out=$1
shift
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
{
    printf '\x00\x00\x01\x00'
    le16 $#
    offset=$((6 + 16 * $#))
    for entry in "$@"; do
        size=${entry%%:*}
        bytes=$(stat -c %s "${entry#*:}")
        side=$((size >= 256 ? 0 : size))  # 0 stands for 256
        printf "\\x$(printf %02x $side)\\x$(printf %02x $side)\\x00\\x00"
        le16 1
        le16 32
        le32 "$bytes"
        le32 "$offset"
        offset=$((offset + bytes))
    done
    for entry in "$@"; do
        cat "${entry#*:}"
    done
} >"$out.partial"
mv "$out.partial" "$out"
