#!/usr/bin/env bash
# Runs the Windows test program under Wine, in the 32-bit prefix given, and fails unless every
# test it lists ran and passed.
#   run-tests.sh <quillfen_tests.exe> <prefix folder> [GoogleTest options...]
# Before the run it links the tests' drives: R: to a scratch folder (a TempTree), S: and T: to
# its folders "c" and "d"; and it makes the symbolic link the reparse-point test walks past.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
exe=$(realpath "$1")
prefix=$2
shift 2
wine_use_prefix "$prefix"
trap wine_done EXIT

wine_link_test_drives
rm -rf "$WINEPREFIX/links"
mkdir -p "$WINEPREFIX/links/loop"
printf 'x' >"$WINEPREFIX/links/loop/file.txt"
ln -s ../loop "$WINEPREFIX/links/loop/back"
export QUILLFEN_TEST_LINKS
QUILLFEN_TEST_LINKS=$(wine_path "$WINEPREFIX/links")

wine_run_suite wine "$WINEPREFIX/last-run.log" "$exe" "$@"
