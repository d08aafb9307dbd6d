#!/bin/sh
# `cmake --install` puts quillfen-scan and its man page, made from --help, where a package
# expects them.  installs.sh CMAKE BUILD_DIR
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$1" --install "$2" --prefix "$prefix" >/dev/null
"$prefix/bin/quillfen-scan" --version | grep -qx 'quillfen-scan (Quillfen) 1.0.5'
man=$prefix/share/man/man1/quillfen-scan.1
grep -q '^\.TH QUILLFEN-SCAN "1"' "$man"
grep -q 'windows\\-folder' "$man"
grep -q 'some files could not be saved' "$man"
echo "installed: bin/quillfen-scan, share/man/man1/quillfen-scan.1"
