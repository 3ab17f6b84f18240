#!/usr/bin/env bash
# Installs what CommonCtrls needs to build, test and run on Debian 12: only the
# packages that are missing, through apt-get, as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake
    qtbase5-dev qtbase5-private-dev qttools5-dev qttools5-dev-tools
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    libbenchmark-dev
    doxygen pkg-config
    libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
    clang libclang-rt-14-dev
    fonts-dejavu-core fonts-wqy-microhei
    xvfb openbox mpv time
    libx11-dev libxtst-dev libxfixes-dev
    python3-dev sip-tools python3-pyqtbuild pyqt5-dev python3-pyqt5 pyqt6-dev python3-pyqt6
    python3-pytest python3-pytestqt python3-av
    dpkg-dev fakeroot file lintian
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "setup: installing ${missing[*]} needs root; run as root or install sudo" >&2
    exit 1
fi

echo "setup: installing ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
