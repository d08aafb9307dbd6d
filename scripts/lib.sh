# Sourced by the scripts: where each build lies, how it is configured (CMakePresets.json) and
# built, how many jobs run at once, timing, and counting the tests that ran. Sourced, not run.

quillfen_source=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# build_dir PRESET: the folder of a preset's build, in full: its environment variable when set,
# else the preset's own folder.
build_dir() {
  local folder
  case $1 in
    linux) folder=${QUILLFEN_BUILD_DIR:-$quillfen_source/build} ;;
    asan) folder=${QUILLFEN_ASAN_DIR:-$quillfen_source/build-asan} ;;
    fuzz) folder=${QUILLFEN_FUZZ_DIR:-$quillfen_source/build-fuzz} ;;
    win32) folder=${QUILLFEN_WINDOWS_BUILD_DIR:-$quillfen_source/build-win} ;;
    win32-tests) folder=${QUILLFEN_WINDOWS_TESTS_DIR:-$quillfen_source/build-win-tests} ;;
    # The release script's folder, which holds the release preset's build in linux/.
    release) folder=${QUILLFEN_RELEASE_BUILD_DIR:-$quillfen_source/build-release} ;;
    package) folder=${QUILLFEN_PACKAGE_DIR:-$quillfen_source/build-package} ;;
    *) echo "build_dir: no build $1" >&2; return 1 ;;
  esac
  realpath -m "$folder"
}

# jobs_count: how many jobs a build or a test run takes at once: the number of cores, at most
# $QUILLFEN_JOBS (the machine may be shared).
jobs_count() {
  local cores
  cores=$(nproc)
  if [ -n "${QUILLFEN_JOBS:-}" ] && [ "$QUILLFEN_JOBS" -lt "$cores" ]; then cores=$QUILLFEN_JOBS; fi
  echo $((cores > 0 ? cores : 1))
}

# configure PRESET FOLDER [CMAKE ARGUMENTS...]: configures the preset's build in FOLDER.
configure() {
  local preset=$1 folder=$2
  shift 2
  cmake -S "$quillfen_source" --preset "$preset" -B "$folder" "$@" >/dev/null
}

# build_targets FOLDER [TARGET...]: builds the targets given, or all.
build_targets() {
  local folder=$1 targets=() target
  shift
  for target in "$@"; do targets+=(--target "$target"); done
  cmake --build "$folder" -j "$(jobs_count)" "${targets[@]}"
}

# now, then seconds_since START: whole seconds since START.
now() { date +%s; }
seconds_since() { echo $(($(date +%s) - $1)); }

# --- counting tests that ran
# Every runner sets TESTS_LISTED (the tests the program says it holds), TESTS_RAN, TESTS_FAILED
# and TESTS_STATUS (its exit status); tests_verdict judges them all alike. The exit status alone
# proves nothing: a 64-bit-only Wine runs a 32-bit program as a silent no-op that exits 0.

# junit_counts REPORT: "TESTS FAILED" from a JUnit XML report (GoogleTest's --gtest_output=xml,
# CTest's --output-junit), read from its outermost element; "0 0" when there is none.
junit_counts() {
  local head tests failures errors
  # CTest writes the element's attributes one a line.
  head=$(head -c 4096 "$1" 2>/dev/null | tr '\n\r\t' '   ' | grep -oE '<testsuites? [^>]*' | head -n 1) ||
    true
  tests=$(sed -nE 's/.* tests="([0-9]+)".*/\1/p' <<<"$head")
  failures=$(sed -nE 's/.* failures="([0-9]+)".*/\1/p' <<<"$head")
  errors=$(sed -nE 's/.* errors="([0-9]+)".*/\1/p' <<<"$head")
  echo "${tests:-0} $((${failures:-0} + ${errors:-0}))"
}

# gtest_run LOG REPORT REPORT-NAME COMMAND...: runs a GoogleTest program (COMMAND: the program
# and its arguments, behind a runner such as wine) once to list its tests, once to run them
# with a JUnit report into REPORT, which the program knows as REPORT-NAME (a Windows program
# under Wine sees Windows paths); its output goes into LOG.
gtest_run() {
  local log=$1 report=$2 report_name=$3
  shift 3
  TESTS_LISTED=$("$@" --gtest_list_tests 2>/dev/null | tr -d '\r' | grep -c '^  ' || true)
  rm -f "$report"
  TESTS_STATUS=0
  "$@" "--gtest_output=xml:$report_name" >"$log" 2>&1 || TESTS_STATUS=$?
  read -r TESTS_RAN TESTS_FAILED < <(junit_counts "$report")
}

# ctest_run BUILD LOG [CTEST ARGUMENTS...]: CTest in BUILD, its output added to LOG.
ctest_run() {
  local folder=$1 log=$2
  shift 2
  local report=$folder/ctest-report.xml
  TESTS_LISTED=$(cd "$folder" && ctest -N | sed -nE 's/^Total Tests: ([0-9]+)$/\1/p')
  rm -f "$report"
  TESTS_STATUS=0
  (cd "$folder" && ctest --output-junit "$report" "$@") >>"$log" 2>&1 || TESTS_STATUS=$?
  read -r TESTS_RAN TESTS_FAILED < <(junit_counts "$report")
}

# tests_verdict NAME: "NAME: R of L tests ran and passed" when the program listed tests, ran
# every one, none failed and it exited 0; else says how it fell short, and fails.
tests_verdict() {
  if [ "${TESTS_STATUS:-1}" -eq 0 ] && [ "${TESTS_LISTED:-0}" -gt 0 ] &&
     [ "${TESTS_RAN:-0}" -eq "$TESTS_LISTED" ] && [ "${TESTS_FAILED:-0}" -eq 0 ]; then
    echo "$1: $TESTS_RAN of $TESTS_LISTED tests ran and passed"
  else
    echo "$1: FAILED: ${TESTS_RAN:-0} of ${TESTS_LISTED:-0} tests ran, ${TESTS_FAILED:-0} failed" \
      "(exit ${TESTS_STATUS:-?})"
    return 1
  fi
}
