#!/usr/bin/env bash
# Installs every system package the build, the program and its tests need. Safe to rerun.
set -euo pipefail

packages=(
    build-essential cmake pkg-config ninja-build ccache clang
    juce-modules-source
    libasound2-dev libjack-jackd2-dev libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev
    zlib1g-dev libpng-dev libjpeg-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libltc-dev
    jackd2 jack-tools
    xvfb xdotool openbox wmctrl x11-utils fonts-dejavu-core
    python3
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# jackd2 asks whether to enable real-time scheduling; answer once, without a prompt.
echo "jackd2 jackd/tweak_rt_limits boolean false" | $sudo debconf-set-selections
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
