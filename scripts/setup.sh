#!/usr/bin/env bash
# Installs what the game needs (Debian 12, as root or with sudo) and builds it.
# The game root is assembled in build/game.
set -euo pipefail
cd "$(dirname "$0")/.."

# tzdata: the tests set time zones by name, which act as UTC without it.
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev
          libsfml-dev libboost-dev libboost-serialization-dev libboost-filesystem-dev
          libboost-system-dev libboost-date-time-dev libpugixml-dev libnoise-dev
          libfreetype-dev libx11-dev libopenal-dev xvfb xauth xdotool x11-utils libgl1-mesa-dri fonts-dejavu-core imagemagick
          tzdata)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja
cmake --build build
