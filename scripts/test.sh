#!/usr/bin/env bash
# Sets the machine up, then builds and runs the whole test suite four times: against
# Qt 5 and against Qt 6 (build-qt6), each as a normal build, with the PyQt bindings and
# their tests, and with AddressSanitizer and UndefinedBehaviorSanitizer; runs the real-display suite of both normal builds on Xvfb,
# with a window manager and without one (tests/display/run.sh); installs both normal
# builds into one prefix, where each must still serve a host; makes the Debian packages of
# both, unpacks them and checks them (tests/packaging/check_packages.sh, lintian included);
# then builds the fuzz targets with clang against either Qt and runs each for a bounded
# time (fuzz/run.sh). Compiler warnings are errors throughout. Any failure, sanitizer
# report or fuzzer finding fails the run. COMMONCTRLS_FUZZ_SECONDS sets the time per fuzz
# target against Qt 5 (default 30), COMMONCTRLS_QT6_FUZZ_SECONDS against Qt 6 (default 10).
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
run_suite build -DCOMMONCTRLS_BUILD_PYTHON=ON
echo "== Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
run_suite build-sanitize -DCOMMONCTRLS_SANITIZE=ON -DCOMMONCTRLS_BUILD_BENCHMARKS=OFF
echo "== Test suite against Qt 6"
run_suite build-qt6 -DCOMMONCTRLS_QT_MAJOR=6 -DCOMMONCTRLS_BUILD_PYTHON=ON
echo "== Test suite against Qt 6 under AddressSanitizer and UndefinedBehaviorSanitizer"
run_suite build-qt6-sanitize -DCOMMONCTRLS_QT_MAJOR=6 -DCOMMONCTRLS_SANITIZE=ON \
    -DCOMMONCTRLS_BUILD_BENCHMARKS=OFF
echo "== Real-display suite on Xvfb, Qt 5 and Qt 6"
./tests/display/run.sh build
./tests/display/run.sh build-qt6
echo "== Qt 5 and Qt 6 builds installed side by side"
./scripts/check_side_by_side.sh build build-qt6 build-qt6/side-by-side
echo "== Debian packages of both builds"
./tests/packaging/check_packages.sh build-qt6/packages-check build build-qt6
echo "== Fuzz targets"
COMMONCTRLS_QT_MAJOR=5 ./fuzz/run.sh "${COMMONCTRLS_FUZZ_SECONDS:-30}"
echo "== Fuzz targets against Qt 6"
COMMONCTRLS_QT_MAJOR=6 ./fuzz/run.sh "${COMMONCTRLS_QT6_FUZZ_SECONDS:-10}"
echo "== All tests passed"
