#!/usr/bin/env bash
# The Qt-free tests (engine, POSIX host, window logic, and the hostile-input suite) built with
# clang's AddressSanitizer and UndefinedBehaviorSanitizer (the asan preset) into build-asan/
# (or $QUILLFEN_ASAN_DIR), then run. The executables run by themselves rather than under CTest,
# which would also list test programs this build leaves out. The first sanitizer report ends a
# run, so any report fails the step, and so does a test program that did not run every test it
# lists.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib.sh"
build=$(build_dir asan)

start=$(now)
# -O1 keeps the reports' stacks readable and the run quick; no Qt, no benchmark.
configure asan "$build"
programs=(quillfen_tests hostile/quillfen_hostile_tests)
build_targets "$build" "${programs[@]##*/}"
built=$(now)

asan=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export ASAN_OPTIONS=$asan:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
log=$build/sanitize.log
: >"$log"
listed=0 ran=0 failed=0 status=0
for program in "${programs[@]}"; do
  name=${program##*/}
  gtest_run "$build/$name.log" "$build/$name.xml" "$build/$name.xml" \
    env -C "$build" timeout 900 "tests/$program"
  cat "$build/$name.log" >>"$log"
  listed=$((listed + TESTS_LISTED)) ran=$((ran + TESTS_RAN)) failed=$((failed + TESTS_FAILED))
  [ "$TESTS_STATUS" -eq 0 ] || status=$TESTS_STATUS
done
TESTS_LISTED=$listed TESTS_RAN=$ran TESTS_FAILED=$failed TESTS_STATUS=$status
report='^(==[0-9]+==ERROR: (Address|Leak)Sanitizer|.*: runtime error: )'
reports=$(grep -cE "$report" "$log" || true)

if ! verdict=$(tests_verdict sanitize) || [ "$reports" -ne 0 ]; then
  grep -E '^\[  FAILED  \] ' "$log" | sort -u || true
  # A report ends the run inside the test that met it.
  grep -E '^\[ RUN      \] ' "$log" | tail -n 1 || true
  grep -E -B 2 -A 12 "$report" "$log" | head -n 60 || true
  outcome=FAILED
else
  outcome=passed
fi
echo "$verdict"
echo "sanitize: $reports sanitizer reports (build $((built - start))s, run $(seconds_since "$built")s;" \
  "log $log): $outcome"
[ "$outcome" = passed ]
