#!/usr/bin/env bash
# Installs the Debian packages a script needs, only those missing, and stays
# quiet when nothing is. Sourced by the scripts in this folder; each asks for
# the list it needs, so starting the program never pulls in the test tools.
set -euo pipefail

# Building and starting the window and the command-line tool.
nitka_run_packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libpcg-cpp-dev libcli11-dev libpng-dev libcairo2-dev help2man
    libgif-dev libwebp-dev
    fonts-liberation2 fonts-dejavu-core
)
# Running every test: GoogleTest, the benchmarks (built so they cannot rot),
# a private X server with the tools that drive and photograph the window, and
# what packaging needs to work out a .deb's dependencies (dpkg-dev, file),
# and debootstrap for trying the .deb on a minimal Debian (as root, on request);
# bash-completion, to try nitka-maze's completion as a shell runs it;
# poppler-utils, to read back where a PDF put its words; pybind11, NumPy and
# pytest, to build the Python package for Debian's python3 and test it.
nitka_test_packages=(
    "${nitka_run_packages[@]}"
    libgtest-dev libgmock-dev libbenchmark-dev
    pybind11-dev python3-dev python3-numpy python3-pytest
    xvfb xdotool imagemagick x11-utils python3 desktop-file-utils
    dpkg-dev file debootstrap
    bash-completion poppler-utils
)

nitka_missing_packages() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$package"
        fi
    done
}

# Installs those of the named packages that are missing.
nitka_install_packages() {
    local missing
    mapfile -t missing < <(nitka_missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Configures and builds into $1 with any further CMake arguments. Callers name
# every option they rely on: a build folder keeps its cache, and an option
# another script turned off there must not stay off.
nitka_build() {
    local build_dir=$1
    shift
    cmake -S "$NITKA_ROOT" -B "$build_dir" -G Ninja -Wno-dev "$@" >/dev/null
    cmake --build "$build_dir" -- --quiet
}

# The Python package is built for, and tested with, Debian's own interpreter,
# whatever else comes first on the PATH.
nitka_python_options=(-DNITKA_BUILD_PYTHON=ON -DPython3_EXECUTABLE=/usr/bin/python3)

NITKA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export NITKA_ROOT
