#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing,
# and stays quiet when nothing is. Sourced by run.sh and test.sh.
set -euo pipefail

nitka_packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libpcg-cpp-dev fonts-liberation2 fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev
    xvfb xdotool imagemagick x11-utils
    valgrind python3 desktop-file-utils
)

nitka_missing_packages() {
    local package
    for package in "${nitka_packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$package"
        fi
    done
}

nitka_install_packages() {
    local missing
    mapfile -t missing < <(nitka_missing_packages)
    [ "${#missing[@]}" -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Configures and builds into $1 with any further CMake arguments.
nitka_build() {
    local build_dir=$1
    shift
    cmake -S "$NITKA_ROOT" -B "$build_dir" -G Ninja -Wno-dev "$@" >/dev/null
    cmake --build "$build_dir" -- --quiet
}

NITKA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export NITKA_ROOT
