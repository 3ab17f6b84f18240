#!/usr/bin/env bash
# Sets the machine up, then builds and runs the whole test suite twice: once as a
# normal build, once with AddressSanitizer and UndefinedBehaviorSanitizer; then builds
# the fuzz targets with clang and runs each for a bounded time (fuzz/run.sh). Compiler
# warnings are errors throughout. Any failure, sanitizer report or fuzzer finding fails
# the run. COMMONCTRLS_FUZZ_SECONDS sets the time per fuzz target (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
jobs=$(nproc)

run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMMONCTRLS_WARNINGS_AS_ERRORS=ON "$@"
    cmake --build "$dir" -j "$jobs"
    (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

echo "== Test suite"
run_suite build
echo "== Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
run_suite build-sanitize -DCOMMONCTRLS_SANITIZE=ON
echo "== Fuzz targets"
./fuzz/run.sh "${COMMONCTRLS_FUZZ_SECONDS:-60}"
echo "== All tests passed"
