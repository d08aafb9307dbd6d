#!/usr/bin/env bash
# The Linux build and every suite CTest knows of it: engine, window logic, hostile inputs and
# the Qt windows (on Qt's offscreen platform).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${QUILLFEN_BUILD_DIR:-$here/build}
"$here/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
status=0
ctest --output-on-failure -j "$(nproc)" --timeout 300 || status=$?
# A case the machine cannot run (no private mount namespace, no device nodes) is no pass: each
# says why, and the step's summary shows it.
echo "=== linux: cases not run"
awk '/^\[ RUN      \] / { name = $4 } /^not run: / { print "  " name ": " $0; found = 1 }
     END { if (!found) print "  none" }' Testing/Temporary/LastTest.log
exit "$status"
