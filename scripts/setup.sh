#!/usr/bin/env bash
# Installs what building and testing Parvion needs on Debian 12: the MinGW-w64
# cross compilers, Wine (32- and 64-bit), CMake, Ninja, GoogleTest, Xvfb and
# the tools the tests drive windows with. Quiet, and quick when all is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 clang libclang-rt-14-dev
    googletest libgtest-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine32:i386 wine64
    xvfb xdotool imagemagick time
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
