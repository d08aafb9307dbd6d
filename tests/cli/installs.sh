#!/bin/sh
# `cmake --install` puts quillfen-scan, its man page (made from --help) and the registry
# reader where a package expects them, and the installed program finds its reader: it reads
# the registry of a Windows 98 disk.  installs.sh CMAKE BUILD_DIR MAKE_HIVE
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$1" --install "$2" --prefix "$prefix" >/dev/null
"$prefix/bin/quillfen-scan" --version | grep -qx 'quillfen-scan (Quillfen) 1.0.5'
man=$prefix/share/man/man1/quillfen-scan.1
grep -q '^\.TH QUILLFEN-SCAN "1"' "$man"
grep -q 'windows\\-folder' "$man"
grep -q 'some files could not be saved' "$man"
grep -q 'SYSTEM.DAT' "$man"
[ -x "$prefix/libexec/quillfen/quillfen-read-hive" ]
disk=$prefix/disk
mkdir -p "$disk/WINDOWS" "$disk/Ohjelmatiedostot/WindowsUpdate"
"$3" 9x "$disk/WINDOWS/SYSTEM.DAT" 'Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir \
  'C:\Ohjelmatiedostot'
printf 'inventory' >"$disk/Ohjelmatiedostot/WindowsUpdate/a.w98"
touch -d 2001-01-01 "$disk/Ohjelmatiedostot/WindowsUpdate/a.w98"
env -i PATH="$PATH" "$prefix/bin/quillfen-scan" computer "$disk" >/dev/null 2>&1
[ -f "$disk/CVL_SAVE/a.w98" ]
echo "installed: bin/quillfen-scan, share/man/man1/quillfen-scan.1," \
  "libexec/quillfen/quillfen-read-hive, which it runs"
