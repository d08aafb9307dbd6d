#!/usr/bin/env bash
# The two-host check: the same scans over the same prepared machines, by the program built for
# each host, must print byte for byte the same (tests/differential/trees.sh lays the machines
# out). The POSIX host reaches each machine through QUILLFEN_DRIVES and an exported registry;
# under Wine its drives are dosdevices links on M: and N: (C: holds Wine's own Windows), the
# registry value is imported, and windir is set in HKEY_CURRENT_USER\Environment, as Wine
# ignores the Unix variable.
#   differential.sh <native quillfen_differential> <quillfen_differential.exe> <prefix> <work folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
source "$here/../../tests/differential/trees.sh"
native=$(realpath "$1")
exe=$(realpath "$2")
wine_use_prefix "$3"
work=$(realpath -m "$4")
export LC_ALL=C

restore() {
  wine_import_registry \
    'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion' '"ProgramFilesDir"="C:\\Program Files"' \
    'HKEY_CURRENT_USER\Environment' '"windir"=-'
  rm -f "$WINEPREFIX/dosdevices/m:" "$WINEPREFIX/dosdevices/n:"
  wine_done
}
trap restore EXIT

escaped() { local text=${1//\\/\\\\}; printf '%s' "${text//\"/\\\"}"; }

rm -rf "$work"
mkdir -p "$work"
names=()
different=()
for name in $(trees); do
  names+=("$name")
  base=$work/$name
  root=$base/machine
  mkdir -p "$root/m" "$root/n"
  "tree_$name"
  if [ -f "$root/programfiles" ]; then
    value="\"ProgramFilesDir\"=\"$(escaped "$(cat "$root/programfiles")")\""
  else
    value='"ProgramFilesDir"=-'
  fi
  if [ -f "$root/attributes" ]; then  # set through Wine, where both hosts read them
    wine_link_drive m "$root/m"
    wine_link_drive n "$root/n"
    commands=()
    while read -r change file; do commands+=("attrib $change $file"); done <"$root/attributes"
    (IFS='&'; wine cmd /c "${commands[*]}" >/dev/null 2>&1)
  fi
  for host in posix wine; do
    mkdir -p "$base/$host"
    cp -a "$root/m" "$root/n" "$base/$host/"
  done

  printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\r\n%s\r\n' \
    "$([ "$value" = '"ProgramFilesDir"=-' ] || printf '%s' "$value")" >"$base/posix/machine.reg"
  QUILLFEN_DRIVES="M=$base/posix/m;N=$base/posix/n" QUILLFEN_REGISTRY="$base/posix/machine.reg" \
    windir='M:\WINDOWS' QUILLFEN_WINVER='2.5.1:Service Pack 3' \
    "$native" "$root/script" "$base/posix.out" 2>"$base/posix.err" || echo "(exit $?)" >>"$base/posix.out"

  wine_link_drive m "$base/wine/m"
  wine_link_drive n "$base/wine/n"
  wine_import_registry \
    'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion' "$value" \
    'HKEY_CURRENT_USER\Environment' '"windir"="M:\\WINDOWS"'
  wine "$exe" "$(wine_path "$root/script")" "$(wine_path "$base/wine.out")" 2>"$base/wine.err" ||
    echo "(exit $?)" >>"$base/wine.out"

  if cmp -s "$base/posix.out" "$base/wine.out" && [ -s "$base/posix.out" ]; then
    echo "$name: identical ($(wc -l <"$base/posix.out") lines)"
  else
    echo "$name: DIFFERENT"
    diff -u --label posix --label wine "$base/posix.out" "$base/wine.out" || true
    different+=("$name")
  fi
done

if [ "${#different[@]}" -gt 0 ]; then
  echo "differential: ${#different[@]} of ${#names[@]} trees differ: ${different[*]}" >&2
  exit 1
fi
echo "differential: all ${#names[@]} trees give identical output on both hosts"
