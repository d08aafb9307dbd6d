#!/usr/bin/env bash
# Cross-builds the Windows program with MinGW-w64 (cmake/mingw-w64-i686.cmake): static, for
# Windows 95 and NT 4.0 on, the win32 thread model, into build-win/ ($QUILLFEN_WINDOWS_BUILD_DIR).
#   build-windows.sh           the program that ships (the win32 preset),
#                              build-win/src/app/quillfen.exe, and the differential program,
#                              build-win/tests/differential/
#   build-windows.sh --tests   and the test programs (the win32-tests preset: engine and window
#                              logic; the Win32 windows; the screenshot taker), with the posix
#                              thread model GoogleTest needs, into build-win-tests/
#                              ($QUILLFEN_WINDOWS_TESTS_DIR); they are never shipped
# Both run in the program's Wine prefix, build-win/wine. $QUILLFEN_NATIVE_DIFFERENTIAL, the
# POSIX host's differential program, adds the two-host check to the program's CTest cases.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
program=$(build_dir win32)
tests=$(build_dir win32-tests)

configure win32 "$program" -DQUILLFEN_WINE_PREFIX="$program/wine" \
  -DQUILLFEN_NATIVE_DIFFERENTIAL="${QUILLFEN_NATIVE_DIFFERENTIAL:-}"
build_targets "$program"

if [ "${1:-}" = "--tests" ]; then
  configure win32-tests "$tests" -DQUILLFEN_WINE_PREFIX="$program/wine"
  build_targets "$tests"
fi
