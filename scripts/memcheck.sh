#!/usr/bin/env bash
# Runs the program under valgrind's memcheck through one whole user session
# (generate, solve, save, load, solve, exit) on a private X server, and fails
# on any memory error or definite leak outside the suppressed library ones.
# The report is kept in memcheck.log in the build directory ($NITKA_BUILD_DIR,
# build/ by default).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
nitka_install_packages "${nitka_test_packages[@]}" valgrind
# The drivers are run from the source tree; keep it free of bytecode caches.
export PYTHONDONTWRITEBYTECODE=1

build_dir="${NITKA_BUILD_DIR:-$NITKA_ROOT/build}"
# The same options as the test build, so the two share one folder without rebuilding.
nitka_build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNITKA_SANITIZE=OFF -DNITKA_BUILD_BENCH=ON \
    "${nitka_python_options[@]}" -DNITKA_BUILD_UI=ON -DNITKA_BUILD_TESTS=ON
log="$build_dir/memcheck.log"

# Qt forks to look for a session bus; those short-lived children are not ours.
valgrind=(valgrind --tool=memcheck --error-exitcode=99 --child-silent-after-fork=yes
    --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite
    --num-callers=40 --suppressions="$NITKA_ROOT/tests/valgrind.supp" --log-file="$log")

status=0
NITKA_E2E_SLOWDOWN=20 python3 "$NITKA_ROOT/tests/e2e/cycle.py" "$build_dir/src/ui/qt/nitka" \
    --size 100 --wrapper "$(printf '%q ' "${valgrind[@]}")" || status=$?
grep -E "ERROR SUMMARY" "$log" || true
if [ "$status" -ne 0 ]; then
    echo "memcheck failed with status $status; report: $log" >&2
    cat "$log" >&2
fi
exit "$status"
