#!/usr/bin/env bash
# Builds the fuzz targets with clang (build-fuzz/) and runs each one from its seed corpus
# for a bounded time. Any crash, sanitizer report, leak of ours or broken invariant
# fails the run; the input that caused it is kept in build-fuzz/artifacts/
# (COMMONCTRLS_FUZZ_BUILD names another build folder; COMMONCTRLS_QT_MAJOR=6 builds against
# Qt 6).
#
#   fuzz/run.sh [seconds per target, default 60] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_properties fuzz_viewer fuzz_operation fuzz_timeedit)

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz: clang++ is not installed; the fuzz targets are SKIPPED (scripts/setup.sh installs clang)"
    exit 0
fi

# COMMONCTRLS_QT_MAJOR=6 builds the targets against Qt 6, in build-fuzz-qt6.
qt=${COMMONCTRLS_QT_MAJOR:-5}
default_build=build-fuzz
[ "$qt" = 6 ] && default_build=build-fuzz-qt6
build=${COMMONCTRLS_FUZZ_BUILD:-$default_build}
# -O1 with line tables: quicker to build, and the usual trade for sanitized fuzzing.
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMMONCTRLS_QT_MAJOR="$qt" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DCOMMONCTRLS_WARNINGS_AS_ERRORS=ON -DCOMMONCTRLS_BUILD_FUZZERS=ON \
    -DCOMMONCTRLS_BUILD_TESTS=OFF -DCOMMONCTRLS_BUILD_GALLERY=OFF -DCOMMONCTRLS_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j "$(nproc)" --target commonctrls_fuzzers

export QT_QPA_PLATFORM=offscreen
# Full stacks at every allocation, so that what Qt's offscreen plugin leaves in
# fontconfig is matched by the plugin's own name in the suppressions.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

mkdir -p "$build/artifacts"
failed=()
for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the committed seeds stay as they are. Inputs
    # that once found a fault run first, as regressions.
    scratch=$build/corpus/$target
    mkdir -p "$scratch"
    seeds=("fuzz/corpus/$target")
    [ -d "fuzz/regressions/$target" ] && seeds+=("fuzz/regressions/$target")
    echo "== fuzz: $target for ${seconds}s"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$scratch" "${seeds[@]}"; then
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz: FAILED: ${failed[*]} (inputs in $build/artifacts/)" >&2
    exit 1
fi
echo "fuzz: all targets ran ${seconds}s without a finding"
