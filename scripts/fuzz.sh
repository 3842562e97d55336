#!/usr/bin/env bash
# Runs every fuzz target of a QUORVANE_FUZZ build (argument 1, default build-fuzz) for
# FUZZ_SECONDS each, FUZZ_JOBS at a time, from the seeds in fuzz/corpus/<target>/. Inputs that
# reach new code are kept in <build>/corpus/<target>/ for the next run; a crash or broken
# property leaves its input in <build>/crashes/ and fails the run. Prints one line per target
# with the executions that ran clean.
set -euo pipefail
build=${1:-build-fuzz}
top=$(cd "$(dirname "$0")/.." && pwd)
out="$top/$build"
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-2}
mkdir -p "$out/crashes" "$out/logs" "$out/tmp"
# The targets' scratch files stay in the build, not in the system's temporary folder.
export TMPDIR="$out/tmp"

run_one() {
    local program=$1 name
    name=$(basename "$program" _fuzzer)
    mkdir -p "$out/corpus/$name"
    # -timeout: an input that takes seconds is a hang in a parser, and counts as a failure.
    if "$program" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$out/crashes/$name-" "$out/corpus/$name" "$top/fuzz/corpus/$name" \
        >"$out/logs/$name.log" 2>&1; then
        echo "fuzz: $name $(sed -n 's/^stat::number_of_executed_units: *//p' \
            "$out/logs/$name.log") executions clean"
    else
        echo "fuzz: $name FAILED, see $out/logs/$name.log and $out/crashes/"
        tail -n 30 "$out/logs/$name.log" >&2
        return 1
    fi
}
export -f run_one
export out top seconds

start=$SECONDS
status=0
printf '%s\n' "$out"/fuzz/*_fuzzer | xargs -P "$jobs" -I{} bash -c 'run_one {}' || status=1
echo "fuzz: $(($SECONDS - start)) s for all targets, $seconds s each"
exit $status
