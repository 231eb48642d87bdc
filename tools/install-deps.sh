#!/usr/bin/env bash
# Installs the cross compiler, Wine, Wine's own fonts, Xvfb, clang-format, clang and clang-tidy
# from Debian's packages when they are missing.
set -euo pipefail

need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v x86_64-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-x86-64)
command -v cmake >/dev/null || need+=(cmake)
command -v wine >/dev/null || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xauth >/dev/null || need+=(xauth)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
command -v clang-format >/dev/null || need+=(clang-format)
# The second compiler and the analyser that check the tree.
command -v clang++ >/dev/null || need+=(clang)
command -v clang-tidy >/dev/null || need+=(clang-tidy)
# Wine draws the caption buttons' symbols with its own Marlett font.
[ -f /usr/share/wine/fonts/marlett.ttf ] || need+=(fonts-wine)

[ ${#need[@]} -eq 0 ] && exit 0

echo "Installing: ${need[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
