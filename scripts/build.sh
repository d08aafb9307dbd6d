#!/usr/bin/env bash
# Configures and builds into build/ (or $QUILLFEN_BUILD_DIR): the given targets, or all.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLFEN_BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
