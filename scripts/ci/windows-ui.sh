#!/usr/bin/env bash
# The Win32 windows under Wine and Xvfb: the window tests start the Windows build's real
# windows and drive them through window messages (scripts/wine/run-window-tests.sh), in the
# windows step's Wine prefix. Builds what it needs first (nothing, after the windows step).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
program=${QUILLFEN_WINDOWS_BUILD_DIR:-$here/build-win}
tests=${QUILLFEN_WINDOWS_TESTS_DIR:-$here/build-win-tests}
start=$(date +%s)

if [ -f "$tests/build.ninja" ]; then
  cmake --build "$tests" -j "$(nproc)" --target quillfen_window_tests >/dev/null
else
  "$here/scripts/build-windows.sh" --tests >/dev/null
fi

log=$tests/windows-ui-step.log
status=0
bash "$here/scripts/wine/run-window-tests.sh" "$tests/tests/ui/win32/quillfen_window_tests.exe" \
  "$program/wine" >"$log" 2>&1 || status=1
[ "$status" -eq 0 ] || tail -150 "$log"
echo "=== windows-ui summary"
grep -h '^wine windows: ' "$log" | sed 's/^/  /' || echo "  wine windows: no summary (see $log)"
echo "  windows-ui step: $([ "$status" -eq 0 ] && echo passed || echo FAILED) in $(( $(date +%s) - start ))s"
exit "$status"
