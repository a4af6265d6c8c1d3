#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
nitka_install_packages
nitka_build "$NITKA_ROOT/build" -DNITKA_BUILD_TESTS=OFF -DNITKA_BUILD_BENCH=OFF
exec "$NITKA_ROOT/build/src/ui/qt/nitka" "$@"
