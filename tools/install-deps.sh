#!/usr/bin/env bash
# Installs the Debian packages MIRELUNE needs to build, test and run.
# Quick when everything is present: it only asks dpkg what is missing.
# Uses sudo when not run as root. With --package, also what `make package`
# needs to build and check the Debian package.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev zlib1g-dev libpng-dev libjpeg-dev
    libogg-dev libvorbis-dev
    libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-dejavu-core
    appstream desktop-file-utils
    clang libclang-rt-14-dev clang-format
)
if [ "${1:-}" = "--package" ]; then
    packages+=(dpkg-dev fakeroot lintian)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
