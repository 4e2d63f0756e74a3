#!/usr/bin/env bash
# Makes a bootable test template image: the 1.44 MB FAT12 image of
# tools/make_sample_image.sh, made bootable with Debian's SYSLINUX, whose
# SYSLINUX.CFG shows the image's own NET\PROTOCOL.INI on the text screen
# and waits at its boot: prompt for ever. So a booted machine shows, read by
# SYSLINUX's FAT reader, the PROTOCOL.INI of whatever image it booted.
#
#   make_boot_image.sh <template folder> <image file>
set -euo pipefail
image=$(realpath -m "$2")
bash "$(dirname "$0")/../../tools/make_sample_image.sh" "$1" "$image"
printf 'PROMPT 1\r\nTIMEOUT 0\r\nDISPLAY /NET/PROTOCOL.INI\r\n' |
  MTOOLS_SKIP_CHECK=1 mcopy -i "$image" - ::SYSLINUX.CFG
syslinux --install "$image"
