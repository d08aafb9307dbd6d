#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer and UBSan) into
# build-fuzz/ (or $QUILLFEN_FUZZ_DIR) and runs each for $QUILLFEN_FUZZ_SECONDS (60) on a copy of
# its seeds in fuzz/corpus/, as many at once as there are jobs (scripts/lib.sh). What a run
# learns stays in the build folder; the seeds in the repository are never written. Any finding
# fails the step; the inputs that show it are kept in <build>/findings/<target>/.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib.sh"
build=$(build_dir fuzz)
seconds=${QUILLFEN_FUZZ_SECONDS:-60}
jobs=$(jobs_count)
targets=(path wildcard registry hive)

start=$(now)
configure fuzz "$build"
build_targets "$build" "${targets[@]/#/fuzz_}"
built=$(now)

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1

run_target() {
  local target=$1 work=$build/runs/$1
  rm -rf "$work" "$build/findings/$target"
  mkdir -p "$work/corpus" "$build/findings/$target"
  cp -R "$here/fuzz/corpus/$target/." "$work/corpus/"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$build/findings/$target/")
  [ -f "$here/fuzz/$target.dict" ] && options+=(-dict="$here/fuzz/$target.dict")
  # The working folder is the copy's: libFuzzer writes there and nowhere else.
  (cd "$work" && "$build/fuzz/fuzz_$target" "${options[@]}" corpus) >"$work/log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$target" &
  pids+=("$!")
done

failed=0
summaries=()
for i in "${!targets[@]}"; do
  target=${targets[$i]} log=$build/runs/${targets[$i]}/log
  status=0
  wait "${pids[$i]}" || status=$?
  runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n 1)
  cov=$(grep -oE ' cov: [0-9]+' "$log" | tail -n 1 | grep -oE '[0-9]+' || true)
  corpus=$(ls "$build/runs/$target/corpus" | wc -l)
  findings=$(ls "$build/findings/$target" | wc -l)
  if [ "$status" -eq 0 ] && [ "$findings" -eq 0 ]; then
    result="no finding"
  else
    if [ "$findings" -gt 0 ]; then
      result="FINDING (exit $status; input kept in $build/findings/$target/)"
    else
      result="FAILED (exit $status; see $log)"
    fi
    failed=1
    echo "=== fuzz_$target"
    grep -E -B 2 -A 25 'ERROR: |runtime error: |property failed: |==ERROR' "$log" | head -n 60 ||
      tail -n 40 "$log"
  fi
  summaries+=("$(printf 'fuzz %-9s %9s runs  cov %5s  corpus %4s  %s' "$target" "${runs:-?}" \
    "${cov:-?}" "$corpus" "$result")")
done

printf '%s\n' "${summaries[@]}"
echo "fuzz: ${#targets[@]} targets, ${seconds}s each" \
  "(build $((built - start))s, run $(seconds_since "$built")s): $([ "$failed" -eq 0 ] && echo passed || echo FAILED)"
exit "$failed"
