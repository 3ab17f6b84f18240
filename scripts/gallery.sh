#!/usr/bin/env bash
# Sets the machine up, builds the library and the gallery, and starts the gallery.
# Without a display it renders each page of the gallery into a PNG file instead.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target commonctrls-gallery -j "$(nproc)"

gallery=build/gallery/commonctrls-gallery
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$gallery" "$@"
fi

echo "No display found, so the gallery is rendered offscreen instead:"
"$gallery" --list-pages | while IFS= read -r page; do
    out="build/gallery-$(echo "$page" | tr 'A-Z ' 'a-z-').png"
    "$gallery" --screenshot "$out" --page "$page" "$@"
    echo "  $out"
done
echo "Other pages and zoom factors: $gallery --screenshot FILE.png --page NAME --zoom 150"
echo "A real window without a display: xvfb-run $gallery (Debian package xvfb)"
