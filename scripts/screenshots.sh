#!/usr/bin/env bash
# Builds what is needed, then shows every window of the program under Xvfb, over the demo's
# sample drives, and saves a PNG of each into docs/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
build=$(build_dir linux)
out=${1:-$here/docs/screenshots}

[ -f "$build/build.ninja" ] || configure linux "$build"
build_targets "$build" quillfen_screenshots >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
eval "$("$here/scripts/demo.sh" --prepare "$work")"
export TZ=${TZ:-UTC} LC_TIME=C.UTF-8
mkdir -p "$out"
cd "$work/c"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$build/tests/ui/qt/quillfen_screenshots" "$out"
