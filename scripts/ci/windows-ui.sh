#!/usr/bin/env bash
# The Win32 windows under Wine and Xvfb: the window tests start the Windows build's real
# windows and drive them through window messages (scripts/wine/run-window-tests.sh), in the
# windows step's Wine prefix; every test the program lists must run and pass. Builds what it
# needs first (nothing, after the windows step).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib.sh"
program=$(build_dir win32)
tests=$(build_dir win32-tests)
start=$(now)

if [ -f "$tests/build.ninja" ]; then
  build_targets "$tests" quillfen_window_tests >/dev/null
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
echo "  windows-ui step: $([ "$status" -eq 0 ] && echo passed || echo FAILED) in $(seconds_since "$start")s"
exit "$status"
