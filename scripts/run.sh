#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. It builds into a
# folder of its own, so it never touches the test build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
nitka_install_packages "${nitka_run_packages[@]}"
nitka_build "$NITKA_ROOT/build-run" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNITKA_BUILD_UI=ON -DNITKA_BUILD_TESTS=OFF -DNITKA_BUILD_BENCH=OFF -DNITKA_SANITIZE=OFF -DNITKA_BUILD_PYTHON=OFF
exec "$NITKA_ROOT/build-run/src/ui/qt/nitka" "$@"
