#!/usr/bin/env bash
# The Qt-free tests (engine, POSIX host, window logic, and the hostile-input suite) built with
# clang's AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (or
# $QUILLFEN_ASAN_DIR), then run. The executables run by themselves rather than under CTest,
# which would also list test programs this build leaves out. The first sanitizer report ends a
# run, so any report fails the step.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${QUILLFEN_ASAN_DIR:-$here/build-asan}
jobs=$(nproc)

start=$(date +%s)
# -O1 keeps the reports' stacks readable and the run quick; no Qt, no benchmark.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DQUILLFEN_SANITIZE=ON \
  -DQUILLFEN_BUILD_GUI=OFF -DQUILLFEN_BUILD_BENCH=OFF -DQUILLFEN_BUILD_TESTS=ON >/dev/null
programs=(quillfen_tests hostile/quillfen_hostile_tests)
cmake --build "$build" -j "$jobs" --target "${programs[@]##*/}"
built=$(date +%s)

asan=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export ASAN_OPTIONS=$asan:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
log=$build/sanitize.log
status=0
: >"$log"
for program in "${programs[@]}"; do
  (cd "$build" && timeout 900 "tests/$program") >>"$log" 2>&1 || status=$?
done
report='^(==[0-9]+==ERROR: (Address|Leak)Sanitizer|.*: runtime error: )'
reports=$(grep -cE "$report" "$log" || true)
total=$(sed -nE 's/^\[==========\] ([0-9]+) tests? from .* ran\..*/\1/p' "$log" | awk '{ s += $1 } END { print s + 0 }')
failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$log" | awk '{ s += $1 } END { print s + 0 }')

if [ "$status" -ne 0 ] || [ "$reports" -ne 0 ]; then
  grep -E '^\[  FAILED  \] ' "$log" | sort -u || true
  # A report ends the run inside the test that met it.
  [ -n "$total" ] || grep -E '^\[ RUN      \] ' "$log" | tail -n 1 || true
  grep -E -B 2 -A 12 "$report" "$log" | head -n 60 || true
  outcome="FAILED (exit $status)"
else
  outcome=passed
fi
echo "sanitize: ${total:-?} tests, ${failed:-0} failed, $reports sanitizer reports" \
  "(build $((built - start))s, run $(($(date +%s) - built))s; log $log): $outcome"
[ "$outcome" = passed ]
