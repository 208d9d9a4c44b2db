#!/usr/bin/env bash
# Installs what building and running the module needs, when it is missing:
# the 32-bit MinGW-w64 cross compiler, wine, Xvfb, CMake and GoogleTest.
set -euo pipefail
packages=(wine wine32:i386 wine64 fonts-wine g++-mingw-w64-i686 mingw-w64-tools xvfb xauth
          cmake googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo dpkg --add-architecture i386
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
