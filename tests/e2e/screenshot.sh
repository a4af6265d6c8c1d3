#!/usr/bin/env bash
# Regenerates docs/screenshot.png: the window with a solved 50 x 50 maze, as
# the route test leaves it. Takes the program to shoot, build/'s by default.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
program=$(realpath "${1:-$root/build/src/ui/qt/nitka}")
cd "$root/tests/e2e"
NITKA_EXE="$program" NITKA_SCREENSHOT="$root/docs/screenshot.png" PYTHONDONTWRITEBYTECODE=1 \
    python3 -m unittest test_window.RouteTest
