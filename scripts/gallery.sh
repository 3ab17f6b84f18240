#!/usr/bin/env bash
# Sets the machine up, builds the library and the gallery, and starts the gallery.
# Without a display it renders each page of the gallery into a PNG file instead.
# Against Qt 5 by default; COMMONCTRLS_QT_MAJOR=6 builds the Qt 6 gallery in build-qt6.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
build=build
gallery=build/gallery/commonctrls-gallery
if [ "${COMMONCTRLS_QT_MAJOR:-5}" = 6 ]; then
    build=build-qt6
    gallery=build-qt6/gallery/commonctrls6-gallery
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMMONCTRLS_QT_MAJOR="${COMMONCTRLS_QT_MAJOR:-5}"
cmake --build "$build" --target commonctrls-gallery -j "$(nproc)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$gallery" "$@"
fi

echo "No display found, so the gallery is rendered offscreen instead:"
"$gallery" --list-pages | while IFS= read -r page; do
    out="$build/gallery-$(echo "$page" | tr 'A-Z ' 'a-z-').png"
    "$gallery" --screenshot "$out" --page "$page" "$@"
    echo "  $out"
done
echo "Other pages and zoom factors: $gallery --screenshot FILE.png --page NAME --zoom 150"
echo "A real window without a display: xvfb-run $gallery (Debian package xvfb)"
