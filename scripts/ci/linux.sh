#!/usr/bin/env bash
# The Linux build and every suite CTest knows of it: engine, window logic, hostile inputs and
# the Qt windows (on Qt's offscreen platform). It fails unless every test CTest lists ran and
# passed.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib.sh"
build=$(build_dir linux)
start=$(now)
"$here/scripts/build.sh"
built=$(now)
export QT_QPA_PLATFORM=offscreen
log=$build/linux-step.log
: >"$log"
ctest_run "$build" "$log" --output-on-failure -j "$(jobs_count)" --timeout 300
if ! verdict=$(tests_verdict linux); then
  # What failed, and its output; the passes left out.
  { grep -vE '^ *(Start +[0-9]+:|[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed )' "$log" || true; } | tail -n 200
fi
# A case the machine cannot run (no private mount namespace, no device nodes) is no pass: each
# says why, and the step's summary shows it.
echo "=== linux: cases not run"
awk '/^\[ RUN      \] / { name = $4 } /^not run: / { print "  " name ": " $0; found = 1 }
     END { if (!found) print "  none" }' "$build/Testing/Temporary/LastTest.log"
echo "$verdict (build $((built - start))s, run $(seconds_since "$built")s; log $log)"
[[ "$verdict" != *FAILED* ]]
