#!/usr/bin/env bash
# The suite under the sanitizers, each in its own build folder beside the ordinary build.
#   scripts/sanitize.sh asan   every test program built with AddressSanitizer and
#                              UndefinedBehaviorSanitizer, run through ctest (GUI tests offscreen)
#   scripts/sanitize.sh tsan   the device layers, their tests and the device window's tests under
#                              ThreadSanitizer: the download worker, stop and close paths
# BUILD_DIR overrides the folder (build-asan / build-tsan), JOBS the parallel jobs.
set -euo pipefail
mode=${1:?usage: sanitize.sh asan|tsan}
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-2}
cd "$top"

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

# -O1 keeps stack traces readable and runs the tests at a fair speed; line tables alone (-g1)
# still name file and line in every report and halve the compile time of full debug
# information. No benchmarks and no screenshot painters, which no test runs.
configure() {
    cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
        -DQUORVANE_BENCH=OFF -DQUORVANE_SCREENSHOTS=OFF \
        -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer $2" "${launcher[@]}" >/dev/null
}

case "$mode" in
asan)
    build=${BUILD_DIR:-build-asan}
    configure "$build" "-fsanitize=address,undefined -fno-sanitize-recover=undefined"
    cmake --build "$build" -j "$jobs"
    # Leaks inside Qt's own plugins and fontconfig are not ours: listed, with reasons, in
    # scripts/lsan.supp. Everything else fails the run.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
    export LSAN_OPTIONS=suppressions=$top/scripts/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cd "$build" && ctest --output-on-failure -j "$jobs"
    ;;
tsan)
    build=${BUILD_DIR:-build-tsan}
    configure "$build" "-fsanitize=thread"
    programs=(device/link/quorvane_link_tests device/protocol/quorvane_protocol_tests
        device/operations/quorvane_operations_tests device/window/quorvane_devicewindow_tests)
    targets=()
    for p in "${programs[@]}"; do targets+=("$(basename "$p")"); done
    cmake --build "$build" -j "$jobs" --target "${targets[@]}"
    # What Qt, GLib and glibc synchronise inside themselves, unseen: scripts/tsan.supp.
    export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$top/scripts/tsan.supp
    export QT_QPA_PLATFORM=offscreen
    for p in "${programs[@]}"; do
        echo "== $p"
        (cd "$build/$(dirname "$p")" && "./$(basename "$p")" --gtest_brief=1)
    done
    ;;
*)
    echo "usage: sanitize.sh asan|tsan" >&2
    exit 2
    ;;
esac
