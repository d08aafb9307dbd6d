#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh" run
"$here/scripts/build.sh" quillfen
build=${QUILLFEN_BUILD_DIR:-$here/build}
exec "$build/src/app/quillfen" "$@"
