#!/usr/bin/env bash
# The Linux build and every suite CTest knows of it: engine, window logic, hostile inputs and
# the Qt windows (on Qt's offscreen platform).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${QUILLFEN_BUILD_DIR:-$here/build}
"$here/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 300
