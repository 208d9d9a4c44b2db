#!/usr/bin/env bash
# Installs what building and running the module needs, when it is missing:
# the 32-bit MinGW-w64 cross compiler, wine, Xvfb, CMake, GoogleTest, and the
# Japanese locale under which wine runs with code page 932 and can still
# name files outside ASCII.
set -euo pipefail
packages=(wine wine32:i386 wine64 fonts-wine g++-mingw-w64-i686 mingw-w64-tools xvfb xauth
          cmake googletest locales)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo dpkg --add-architecture i386
  # A mirror caught mid-sync fails one list: install from what the others gave.
  $sudo apt-get update -qq || echo "apt-get update reported errors; installing from the lists it has" >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "Generating the ja_JP.UTF-8 locale"
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
