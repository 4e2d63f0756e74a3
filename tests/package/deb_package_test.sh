#!/usr/bin/env bash
# The Debian package of the native program, as a boot server gets it: made
# with `cpack -G DEB` in a build folder of its own (Release, no tests; kept
# between runs, so that a second run rebuilds only what changed), holding
# /usr/bin/tovrell alone and naming the libraries it needs; unpacked into a
# scratch root, its tovrell builds a network boot folder from the sample
# library.
#
#   deb_package_test.sh <source folder> <build folder>
set -euo pipefail
source=$1
build=$2
cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOVRELL_TESTS=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j 2 --target tovrell >/dev/null
rm -f "$build"/tovrell_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/tovrell_${version}_$(dpkg --print-architecture).deb"
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
[ -f "$deb" ] || { echo "FAILED: no $deb" >&2; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sort | tr '\n' ' ')
[ "$files" = "./usr/ ./usr/bin/ ./usr/bin/tovrell " ] || fail "the package holds $files"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends: $depends names no $library"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrell-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
home=$work/srv/tovrell
mkdir -p "$home" "$work/srv/tftp"
cp -r "$source/sample/driver" "$source/sample/BootDisk" "$home/"
bash "$source/tools/make_sample_image.sh" "$home/BootDisk" "$home/BootDisk.img"
status=0
TOVRELL_HOME=$home "$work/root/usr/bin/tovrell" netboot "$work/srv/tftp" >"$work/out.txt" 2>"$work/err.txt" ||
  status=$?
[ "$status" -eq 0 ] || fail "tovrell netboot: exit status $status: $(cat "$work/err.txt")"
grep -qF "网络启动目录创建成功！" "$work/out.txt" || fail "tovrell netboot said: $(cat "$work/out.txt")"
for file in menu.cfg menu.ipxe E100B.IMG EL90X.IMG NE2000.IMG RTL8139.IMG; do
  [ -f "$work/srv/tftp/netboot/$file" ] || fail "no netboot/$file"
done

[ "$failures" -eq 0 ] && echo "$(basename "$deb"): /usr/bin/tovrell, Depends: $depends; it built netboot/"
exit "$failures"
