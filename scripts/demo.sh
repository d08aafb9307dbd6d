#!/usr/bin/env bash
# A demo for a machine without Windows: lays out sample old Windows system drives and a loose
# folder of inventories in a temporary folder, then starts Quillfen on them.
#
#   scripts/demo.sh               builds if needed, makes the sample drives, starts the program
#   scripts/demo.sh --prepare DIR only makes the sample drives in DIR and prints the
#                                 environment that shows them to the program
#
# The drives: C: is "this computer" (Windows XP SP3: WINDOWS with its V4 log and its registry
# hive system32\config\SOFTWARE, Program Files with WindowsUpdate, V4 and OfficeUpdate, WUTemp
# at the root); D: is an old Windows 2000 disk (WINNT, and a German "Programme" folder); E: is a
# loose folder of inventories. Beside them, w98 is a Windows 98 SE disk for quillfen-scan: its
# Program Files folder has the Finnish name "Ohjelmatiedostot", which no list of names holds and
# only its registry (WINDOWS\SYSTEM.DAT) gives. Most files date from the early 2000s; a few
# carry 2023 dates and are too new to be taken. The registries are real registry files, written
# by the tests' own writer (quillfen_make_hive), so the program is told nothing but the drives.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
build=$(build_dir linux)
make_hive=$build/tests/support/hive/quillfen_make_hive

# file PATH DATE [TEXT]: a file with that modification date.
file() {
  mkdir -p "$(dirname "$1")"
  printf '%s\r\n' "${3:-sample $(basename "$1")}" >"$1"
  touch -d "$2" "$1"
}

make_drives() {
  local root=$1 c=$1/c d=$1/d e=$1/e
  local wu="$c/Program Files/WindowsUpdate"
  file "$c/WINDOWS/Windows Update.log" "2004-08-20 18:12" "2004-08-20 18:12:44 1100 4e8 Agent *** Windows Update log ***"
  file "$c/WINDOWS/system32/drivers/etc/hosts" "2002-09-09 12:00" "127.0.0.1 localhost"
  file "$wu/5.w98" "2001-03-02 09:15"
  file "$wu/catalog.gng" "2002-11-23 20:41"
  file "$wu/x.inv" "2003-06-10 07:30"
  file "$wu/redir.bm" "2002-02-14 11:00"
  file "$wu/wuv3is.log" "2003-06-10 07:31"
  file "$wu/2023.w98" "2023-04-01 10:00"
  file "$wu/V4/iuhist.xml" "2004-08-20 18:10"
  file "$wu/V4/iuhist_catalogAdmin.xml" "2004-08-19 09:05"
  file "$wu/V4/wuident.txt" "2004-08-20 18:11"
  file "$c/Program Files/OfficeUpdate/Downloads/ohotfix.ini" "2003-01-12 14:00"
  file "$c/Program Files/OfficeUpdate/Downloads/cat/office.cab.inf" "2003-01-12 14:01"
  file "$c/Program Files/OfficeUpdate/opuc.log" "2003-01-12 14:02"
  file "$c/WUTemp/wuinst.dat" "2002-07-01 16:00"
  file "$c/WUTemp/pkg/setup.inf" "2002-07-01 16:01"

  file "$d/WINNT/Windows Update.log" "2003-12-02 08:00" "2003-12-02 08:00:10 Windows Update log (Windows 2000)"
  file "$d/Programme/WindowsUpdate/a.n5x" "2002-05-05 10:00"
  file "$d/Programme/WindowsUpdate/b.w32" "2002-05-06 10:00"
  file "$d/Programme/WindowsUpdate/inventory.des" "2002-05-07 10:00"
  file "$d/Programme/WindowsUpdate/new.gng" "2023-09-09 09:09"
  file "$d/Programme/WindowsUpdate/V4/iuhist.xml" "2003-12-02 07:59"

  local cv='Microsoft\Windows\CurrentVersion' nt='Microsoft\Windows NT\CurrentVersion'
  mkdir -p "$c/WINDOWS/system32/config"
  "$make_hive" nt "$c/WINDOWS/system32/config/SOFTWARE" \
    "$cv" ProgramFilesDir 'C:\Program Files' "$cv" CommonFilesDir 'C:\Program Files\Common Files' \
    "$nt" ProductName 'Microsoft Windows XP' "$nt" CurrentVersion 5.1 \
    "$nt" CurrentBuildNumber 2600 "$nt" CSDVersion 'Service Pack 3'
  touch -d "2004-08-20 18:15" "$c/WINDOWS/system32/config/SOFTWARE"

  local w98=$1/w98 wu98="$1/w98/Ohjelmatiedostot/WindowsUpdate"
  mkdir -p "$w98/WINDOWS"
  "$make_hive" 9x "$w98/WINDOWS/SYSTEM.DAT" \
    "Software\\$cv" ProgramFilesDir 'C:\Ohjelmatiedostot' \
    "Software\\$cv" CommonFilesDir 'C:\Ohjelmatiedostot\Yhteiset tiedostot' \
    "Software\\$cv" ProductName 'Microsoft Windows 98' \
    "Software\\$cv" VersionNumber 4.10.2222 "Software\\$cv" SubVersionNumber ' A '
  touch -d "2001-05-02 17:40" "$w98/WINDOWS/SYSTEM.DAT"
  file "$w98/WINDOWS/win.ini" "2001-05-02 17:39" "[windows]"
  file "$wu98/redir.bm" "2000-03-01 10:00"
  file "$wu98/wu1.w98" "2000-11-14 19:20"
  file "$wu98/wu2.w98" "2001-04-27 08:45"
  file "$wu98/catalog.gng" "2001-04-27 08:44"
  file "$wu98/inventory.des" "2001-04-27 08:46"
  file "$wu98/late.w98" "2023-01-09 09:00"

  file "$e/win95.w95" "2000-10-10 10:10"
  file "$e/updates.inv" "2001-01-01 12:00"
  file "$e/notes.txt" "2001-01-02 12:00"
  file "$e/recent.mil" "2023-02-02 12:00"
  file "$e/iuhist.xml" "2001-01-03 12:00"
  file "$e/V4/iuhist_catalogAdmin.xml" "2001-01-04 12:00"

  # Folder dates last: making files inside a folder changes its date.
  find "$root" -depth -mindepth 1 -type d -exec touch -d "2004-09-01 12:00" {} +
}

# The environment that shows the sample drives to the program, as shell assignments: the drive
# table alone. The registry, windir and the version are those of the Windows on C:, so any
# stand-in for them that the shell holds is dropped.
environment() {
  local root=$1
  printf 'export QUILLFEN_DRIVES=%q\n' "C=$root/c;D=$root/d;E=$root/e"
  printf 'unset QUILLFEN_REGISTRY windir QUILLFEN_WINVER\n'
}

# The registry writer, built where it is missing (its build output kept off standard output,
# which --prepare gives to the shell).
[ -x "$make_hive" ] || "$here/scripts/build.sh" quillfen_make_hive >&2

if [ "${1:-}" = "--prepare" ]; then
  [ $# -eq 2 ] || { echo "usage: $0 --prepare DIR" >&2; exit 2; }
  mkdir -p "$2"
  root=$(cd "$2" && pwd)
  make_drives "$root"
  environment "$root"
  exit 0
fi

[ -x "$build/src/app/quillfen" ] && [ -x "$build/src/cli/quillfen-scan" ] ||
  "$here/scripts/build.sh" quillfen quillfen-scan
root=$(mktemp -d "${TMPDIR:-/tmp}/quillfen-demo.XXXXXX")
make_drives "$root"
eval "$(environment "$root")"
cat <<INFO
Sample drives in $root:
  C: $root/c   this computer (Windows XP SP3, with its registry)
  D: $root/d   an old Windows 2000 disk
  E: $root/e   a loose folder of inventories
and $root/w98, a Windows 98 SE disk whose Program Files folder (Ohjelmatiedostot)
only its registry names.
Try "Scan this computer", then scan drive D: and the folder E:\\ from the other window.
A local scan saves into $root/c/CVL_SAVE. Scan the 98 disk from a terminal with
  $build/src/cli/quillfen-scan computer $root/w98
which saves into $root/w98/CVL_SAVE. Delete $root when you are done.
INFO
cd "$root/c"
exec "$build/src/app/quillfen"
