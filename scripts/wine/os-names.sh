#!/usr/bin/env bash
# GetOSName under every Windows version Wine can report: the test program runs once under a
# name of its own for each version (Wine's per-program "AppDefaults" setting), its
# Win32Version test holding the name against the decision table's.
#   os-names.sh <quillfen_tests.exe> <prefix folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
exe=$(realpath "$1")
wine_use_prefix "$2"
trap wine_done EXIT

versions=(win20 win30 win31 win95 win98 winme nt351 nt40 win2k winxp winxp64 win2003 vista
          win2008 win7 win2008r2 win8 win81 win10)
work=$WINEPREFIX/os-names
rm -rf "$work"
mkdir -p "$work"
settings=()
for version in "${versions[@]}"; do
  cp "$exe" "$work/os-$version.exe"
  settings+=("HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\os-$version.exe" "\"Version\"=\"$version\"")
done
wine_import_registry "${settings[@]}"

failed=()
for version in "${versions[@]}"; do
  if wine_run_counted "$work/$version.log" "$work/os-$version.exe" --gtest_filter='Win32Version.*'; then
    echo "$version: passed"
  else
    cat "$work/$version.log"
    failed+=("$version")
  fi
done
rm -f "$work"/*.exe
if [ "${#failed[@]}" -gt 0 ]; then
  echo "GetOSName: wrong under ${failed[*]}" >&2
  exit 1
fi
echo "GetOSName: the table's name under all ${#versions[@]} versions"
