#!/usr/bin/env bash
# Makes a boot floppy template image (1.44 MB, FAT12) from a template folder
# with mkfs.fat and mtools: for the demo folder, the end-to-end tests and the
# benchmark. The sample template holds the project's placeholder files, so
# the image boots nothing; a lab makes its own from a real boot floppy.
#
#   make_sample_image.sh <template folder> <image file> [size in KB]
set -euo pipefail
source=$1
image=$(realpath -m "$2")
size=${3:-1440}
rm -f "$image"
mkfs.fat -C -n TOVRELL -i 54524c4c "$image" "$size" >/dev/null
(cd "$source" && MTOOLS_SKIP_CHECK=1 mcopy -s -m -i "$image" ./* ::)
