#!/usr/bin/env bash
# Makes app/symbol/karmo.ico from app/symbol/karmo.svg: ImageMagick draws one image
# for each size Windows asks for (title bars, taskbar, Explorer, shortcuts), icotool
# (icoutils) packs them, the 256 px one as PNG as Windows expects it.
# The .ico is committed; run this again after changing the drawing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../app/symbol"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bilder=()
for groesse in 16 20 24 32 40 48 64 256; do
    # Drawn large and scaled down, so that small sizes are smoothed, not cut.
    convert -background none -density 384 karmo.svg -resize "${groesse}x${groesse}" \
        -depth 8 -define png:color-type=6 "$tmp/$groesse.png"
    if [[ $groesse == 256 ]]; then bilder+=("--raw=$tmp/$groesse.png"); else bilder+=("$tmp/$groesse.png"); fi
done
icotool -c -o karmo.ico "${bilder[@]}"
icotool -l karmo.ico
