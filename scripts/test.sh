#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test suite, one step after another,
# and prints each step's outcome at the end. Each step is scripts/ci/<step>.sh; it prints its
# own summary. The run goes on past a failed step and fails at the end.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/lib.sh"
"$here/scripts/install-deps.sh" test || exit 1

steps=(linux e2e sanitize fuzz windows windows-ui package)
results=()
failed=0
for step in "${steps[@]}"; do
  echo "=== step $step"
  start=$(now)
  if bash "$here/scripts/ci/$step.sh"; then outcome=passed; else outcome=FAILED; failed=1; fi
  results+=("$(printf '%-12s %-7s %5ss' "$step" "$outcome" "$(seconds_since "$start")")")
done

echo "=== summary"
printf '%s\n' "${results[@]}"
exit "$failed"
