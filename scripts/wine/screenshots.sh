#!/usr/bin/env bash
# Takes the Windows program's screenshots under Wine on a display of its own (Xvfb), once with
# Wine reporting Windows 98 and once Windows XP, over the demo's drives (scripts/demo.sh): D:
# is "this computer" (windir D:\WINDOWS in HKEY_CURRENT_USER\Environment, ProgramFilesDir
# D:\Program Files), E: an old Windows 2000 disk, F: a loose folder; C: holds Wine's own
# Windows. Saves <out>/win98-*.png and <out>/winxp-*.png.
#   screenshots.sh <quillfen_screenshots.exe> <prefix folder> <out folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
wine_on_xvfb "$2" "$0" "$@"
exe=$(realpath "$1")
out=$(realpath -m "$3")
wine_use_prefix "$2"
trap wine_done EXIT
work=$WINEPREFIX/demo
rm -rf "$work"
"$here/../demo.sh" --prepare "$work/drives" >/dev/null
wine_link_drive d "$work/drives/c"
wine_link_drive e "$work/drives/d"
wine_link_drive f "$work/drives/e"
versions=(win98 winxp)
settings=()
for version in "${versions[@]}"; do
  cp "$exe" "$work/shots-$version.exe"
  settings+=("HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\shots-$version.exe" "\"Version\"=\"$version\"")
done
wine_import_registry "${settings[@]}" \
  'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion' '"ProgramFilesDir"="D:\\Program Files"' \
  'HKEY_CURRENT_USER\Environment' '"windir"="D:\\WINDOWS"'

mkdir -p "$out"
status=0
for version in "${versions[@]}"; do
  rm -rf "$work/drives/c/CVL_SAVE" "$work/shots"
  mkdir -p "$work/shots"
  # Started from D:\, so the drive list opens on "this computer".
  (cd "$work/drives/c" && wine "$work/shots-$version.exe" "$(wine_path "$work/shots")\\$version-") || status=1
  for bmp in "$work/shots"/*.bmp; do
    convert "$bmp" "$out/$(basename "${bmp%.bmp}").png"
  done
done
rm -rf "$work"
exit "$status"
