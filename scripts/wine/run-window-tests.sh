#!/usr/bin/env bash
# Runs the Win32 window tests under Wine on an X display of their own (Xvfb), in the 32-bit
# prefix given, and fails unless every test the program lists ran and passed. The tests start
# the program's real windows and work them through window messages.
#   run-window-tests.sh <quillfen_window_tests.exe> <prefix folder> [GoogleTest options...]
# The tests' drives are linked as for the engine's suite: R:, S: and T:.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
exe=$(realpath "$1")
prefix=$(realpath -m "$2")
shift 2

if [ -z "${QUILLFEN_ON_XVFB:-}" ]; then
  # A wineserver that a run without a display left behind would keep these windows off the
  # screen: wait until it has gone before starting on one.
  [ ! -d "$prefix" ] || WINEPREFIX=$prefix wineserver -w
  exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    env QUILLFEN_ON_XVFB=1 bash "$0" "$exe" "$prefix" "$@"
fi

wine_use_prefix "$prefix"
trap wine_done EXIT
wine_link_test_drives

log=$WINEPREFIX/last-window-run.log
if wine_run_counted "$log" "$exe" "$@"; then
  grep -E '^\[  (PASSED|SKIPPED) ' "$log" || true
  echo "wine windows: $WINE_TESTS_RAN of $WINE_TESTS_LISTED tests ran and passed"
else
  cat "$log"
  echo "wine windows: FAILED: $WINE_TESTS_RAN of $WINE_TESTS_LISTED tests ran, $WINE_TESTS_FAILED failed" >&2
  exit 1
fi
