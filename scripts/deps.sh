#!/usr/bin/env bash
# Installs the build and test tools with apt-get; quick and quiet when all are there.
set -euo pipefail

pakete=(
    cmake ninja-build g++ ccache            # native build
    googletest libgtest-dev libbenchmark-dev # tests, benchmarks; sources for the cross-built GoogleTest
    g++-mingw-w64-x86-64-posix              # Windows cross compiler
    wine wine64 fonts-wine                  # runs the Windows suites
    xvfb xdotool x11-utils x11-xkb-utils    # X server and input for the end-to-end run
    imagemagick libxml2-utils               # screenshots; event-file checks
    clang libclang-rt-14-dev                # libFuzzer
    util-linux                              # flock, for the shared Wine template
    icoutils                                # wrestool/icotool: the icon inside Karmo.exe
    x11vnc novnc websockify chromium        # ./run without a display: the screen in a browser, and its test
    ghostscript poppler-utils zbar-tools    # printing end to end: the PDF printer's pipe, the PDF's text, its barcodes
)

# One dpkg-query for all: the common case (everything there) stays well under a second.
installiert=$(dpkg-query -W -f='${Package} ${Status}\n' "${pakete[@]}" 2>/dev/null | awk '/install ok installed/ {print $1}' || true)
fehlend=()
for paket in "${pakete[@]}"; do
    grep -qx -- "$paket" <<<"$installiert" || fehlend+=("$paket")
done
[[ ${#fehlend[@]} -eq 0 ]] && exit 0

echo "Installiere: ${fehlend[*]}" >&2
als_root=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Fehlende Pakete und kein root: ${fehlend[*]}" >&2; exit 1; }
    als_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${als_root[@]}" apt-get update -qq
"${als_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "${fehlend[@]}" >/dev/null
