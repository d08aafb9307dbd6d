#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
"$here/scripts/install-deps.sh" run
"$here/scripts/build.sh" quillfen
exec "$(build_dir linux)/src/app/quillfen" "$@"
