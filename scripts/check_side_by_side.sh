#!/usr/bin/env bash
# Installs a Qt 5 and a Qt 6 build of CommonCtrls into one prefix and checks that neither
# install wrote a file of the other, and that a host still builds and runs against each
# package there: with find_package (CommonCtrls, CommonCtrls6) and with pkg-config.
#
#   scripts/check_side_by_side.sh <Qt 5 build> <Qt 6 build> <scratch folder>
set -euo pipefail
cd "$(dirname "$0")/.."

qt5_build=$1
qt6_build=$2
work=$(realpath -m "$3")
prefix=$work/prefix
rm -rf "$work"
mkdir -p "$work"

cmake --install "$qt5_build" --prefix "$prefix" > "$work/install-qt5.log"
cp "$qt5_build/install_manifest.txt" "$work/qt5.files"
cmake --install "$qt6_build" --prefix "$prefix" > "$work/install-qt6.log"
cp "$qt6_build/install_manifest.txt" "$work/qt6.files"
shared=$(sort "$work/qt5.files" "$work/qt6.files" | uniq -d)
if [ -n "$shared" ]; then
    echo "side by side: both builds install these files:" >&2
    echo "$shared" >&2
    exit 1
fi

libdir=$(find "$prefix" -name 'libCommonCtrls.so' -printf '%h\n' | head -n 1)
for major in 5 6; do
    package=CommonCtrls
    [ "$major" = 6 ] && package=CommonCtrls6
    cmake -S tests/host -B "$work/host-qt$major" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCOMMONCTRLS_QT_MAJOR="$major" > "$work/host-qt$major.log"
    cmake --build "$work/host-qt$major" >> "$work/host-qt$major.log"
    QT_QPA_PLATFORM=offscreen "$work/host-qt$major/host-app"
    # shellcheck disable=SC2046 # pkg-config's flags are words
    c++ -std=c++17 tests/host/main.cpp -o "$work/pkg-config-qt$major" \
        $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs "$package")
    LD_LIBRARY_PATH="$libdir" QT_QPA_PLATFORM=offscreen "$work/pkg-config-qt$major"
    echo "side by side: $package serves a host through find_package and pkg-config"
done
