#!/usr/bin/env bash
# Builds what is needed, then shows every window of the Windows program under Wine and Xvfb,
# with Wine reporting Windows 98 and then Windows XP, over the demo's sample drives, and saves
# a PNG of each into docs/screenshots/ (win98-*.png, winxp-*.png).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
tests=$(build_dir win32-tests)
out=${1:-$here/docs/screenshots}
"$here/scripts/build-windows.sh" --tests >/dev/null
bash "$here/scripts/wine/screenshots.sh" "$tests/tests/ui/win32/quillfen_screenshots.exe" \
  "$tests/wine-screenshots" "$out"
