#!/usr/bin/env bash
# Runs the Win32 window tests under Wine on an X display of their own (Xvfb), in the 32-bit
# prefix given, and fails unless every test the program lists ran and passed. The tests start
# the program's real windows and work them through window messages.
#   run-window-tests.sh <quillfen_window_tests.exe> <prefix folder> [GoogleTest options...]
# The tests' drives are linked as for the engine's suite: R:, S: and T:.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
wine_on_xvfb "$2" "$0" "$@"
exe=$(realpath "$1")
prefix=$2
shift 2
wine_use_prefix "$prefix"
trap wine_done EXIT
wine_link_test_drives

wine_run_suite "wine windows" "$WINEPREFIX/last-window-run.log" "$exe" "$@"
