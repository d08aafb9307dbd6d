#!/usr/bin/env bash
# Cross-builds the Windows program with MinGW-w64 (cmake/mingw-w64-i686.cmake): static, for
# Windows 95 and NT 4.0 on, the win32 thread model, into build-win/ ($QUILLFEN_WINDOWS_BUILD_DIR).
#   build-windows.sh           the program that ships, build-win/src/app/quillfen.exe, and the
#                              differential program, build-win/tests/differential/
#   build-windows.sh --tests   and the test programs (engine and window logic; the Win32
#                              windows; the screenshot taker), with the posix thread model
#                              GoogleTest needs, into build-win-tests/ ($QUILLFEN_WINDOWS_TESTS_DIR);
#                              they are never shipped
# $QUILLFEN_NATIVE_DIFFERENTIAL, the POSIX host's differential program, adds the two-host check
# to the program's CTest cases.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
program=${QUILLFEN_WINDOWS_BUILD_DIR:-$here/build-win}
tests=${QUILLFEN_WINDOWS_TESTS_DIR:-$here/build-win-tests}
common=(-G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-i686.cmake"
        -DCMAKE_BUILD_TYPE=MinSizeRel -DQUILLFEN_WINE_PREFIX="$program/wine" -DQUILLFEN_BUILD_GUI=ON)

cmake -S "$here" -B "$program" "${common[@]}" -DQUILLFEN_THREAD_MODEL=win32 \
  -DQUILLFEN_BUILD_TESTS=OFF -DQUILLFEN_NATIVE_DIFFERENTIAL="${QUILLFEN_NATIVE_DIFFERENTIAL:-}" >/dev/null
cmake --build "$program" -j "$(nproc)"

if [ "${1:-}" = "--tests" ]; then
  cmake -S "$here" -B "$tests" "${common[@]}" -DQUILLFEN_THREAD_MODEL=posix \
    -DQUILLFEN_BUILD_DIFFERENTIAL=OFF >/dev/null
  cmake --build "$tests" -j "$(nproc)"
fi
