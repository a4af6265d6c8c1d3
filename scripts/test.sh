#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the library's, the
# widgets' (offscreen), the command-line tool's, the Python package's and
# the end-to-end tests in a real X window. Fails when any test fails or when
# no test ran.
# --sanitize builds and runs everything under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
nitka_install_packages "${nitka_test_packages[@]}"

build_dir="$NITKA_ROOT/build"
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DNITKA_SANITIZE=OFF -DNITKA_BUILD_BENCH=ON
    "${nitka_python_options[@]}")
if [ "${1:-}" = "--sanitize" ]; then
    build_dir="$NITKA_ROOT/build-sanitize"
    # The Python package stays out: an interpreter not built with the
    # sanitizers cannot load a module that is.
    cmake_args=(-DCMAKE_BUILD_TYPE=Debug -DNITKA_SANITIZE=ON -DNITKA_BUILD_BENCH=OFF
        -DNITKA_BUILD_PYTHON=OFF)
    export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$NITKA_ROOT/tests/lsan.supp:print_suppressions=0"
fi

nitka_build "$build_dir" "${cmake_args[@]}" -DNITKA_BUILD_UI=ON -DNITKA_BUILD_TESTS=ON
export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
# No test may hang CI: a search that lost its linear bound would run for hours.
ctest --output-on-failure -j 2 --timeout 300 --no-tests=error
