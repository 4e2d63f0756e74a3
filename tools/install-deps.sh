#!/usr/bin/env bash
# Installs what building, testing and running Tovrell needs on Debian:
# the native and MinGW-w64 compilers, CMake, GoogleTest's sources, Wine and
# its own fonts (without them its title bars draw their buttons as letters)
# and a Chinese font with clear Latin glyphs for the dialogs' 宋体,
# Xvfb (with xdotool, which picks a card for the demo's screenshot), the
# Chinese locale and fonts, the FAT tools (dosfstools, mtools) that make and
# check template images, NASM, which assembles the DOS boot program, and
# QEMU with its iPXE card ROMs, SYSLINUX and PXELINUX, which the boot tests
# boot built images with, and what `cpack -G DEB` needs to make the native
# program's package and name its dependencies (dpkg-dev's dpkg-shlibdeps,
# file).
# Installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake googletest python3
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick locales fonts-wqy-zenhei fonts-wqy-microhei procps
  dosfstools mtools nasm
  qemu-system-x86 ipxe-qemu syslinux syslinux-common pxelinux
  dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_if_needed apt-get update
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page (936) from the Chinese locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'zh_CN.UTF-8 UTF-8' | sudo_if_needed tee -a /etc/locale.gen >/dev/null
  sudo_if_needed locale-gen zh_CN.UTF-8 >/dev/null
fi
