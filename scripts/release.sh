#!/usr/bin/env bash
# Makes a release of the working tree into one folder (out/, or the folder given), then prints
# the SHA-256 sum of each file (also written to SHA256SUMS there):
#   quillfen_<version>_amd64.deb     the Debian package of the Linux program
#   quillfen.exe                     the Windows program alone: Windows 95, 98, NT 4.0 and 2000
#                                    cannot open a zip by themselves
#   quillfen-<version>-win32.zip     quillfen.exe and QUILLFEN.TXT
# Both programs are built afresh in build-release/ ($QUILLFEN_RELEASE_BUILD_DIR), so nothing
# left from another build gets in. Two runs give the same bytes: SOURCE_DATE_EPOCH (default:
# the date of packaging/changelog's latest entry) stands for every time stamp, and no folder's
# name gets into a program.
# Needs what `scripts/install-deps.sh test` installs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
source "$here/scripts/release-lib.sh"
out=$(realpath -m "${1:-$here/out}")
build=$(build_dir release)
SOURCE_DATE_EPOCH=$(release_epoch)
export SOURCE_DATE_EPOCH

# Only a folder this script made is ever removed.
marker=$build/.quillfen-release-build
if [ -e "$build" ] && [ ! -e "$marker" ]; then
  echo "$build exists and is not a release build folder; remove it or set QUILLFEN_RELEASE_BUILD_DIR" >&2
  exit 1
fi
rm -rf "$build"
mkdir -p "$build" "$out"
touch "$marker"
rm -f "$out"/quillfen_*.deb "$out/quillfen.exe" "$out"/quillfen-*-win32.zip "$out/SHA256SUMS"

echo "=== Linux program and package (build-release/linux)"
# The release preset: the optimisation of the tested build (RelWithDebInfo) without its
# debugging sections, which the package strips anyway: they hold the folders' names, and the
# build id hashes them. With no folder's name in the program (QUILLFEN_REPRODUCIBLE), a release
# made in another checkout has the same bytes.
configure release "$build/linux"
build_targets "$build/linux" >"$build/linux-build.log" || { tail -50 "$build/linux-build.log"; exit 1; }
deb=$(make_deb "$build/linux" "$out")
version=$(dpkg-deb -f "$deb" Version)

echo "=== Windows program and download (build-release/win)"
QUILLFEN_WINDOWS_BUILD_DIR=$build/win "$here/scripts/build-windows.sh" >"$build/win-build.log" ||
  { tail -50 "$build/win-build.log"; exit 1; }
cp "$build/win/src/app/quillfen.exe" "$out/quillfen.exe"
make_windows_zip "$out/quillfen.exe" "$out/quillfen-$version-win32.zip"

echo "=== release $version in $out (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
(cd "$out" && sha256sum "$(basename "$deb")" quillfen.exe "quillfen-$version-win32.zip" >SHA256SUMS &&
  cat SHA256SUMS)
