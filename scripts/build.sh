#!/usr/bin/env bash
# Configures (the linux preset) and builds into build/ (or $QUILLFEN_BUILD_DIR): the given
# targets, or all.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
build=$(build_dir linux)
configure linux "$build"
build_targets "$build" "$@"
