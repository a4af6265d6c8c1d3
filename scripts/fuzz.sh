#!/usr/bin/env bash
# Builds the fuzzers of the maze file's two readers (the window's and the
# command-line tool's) with clang and runs each for the given number of seconds
# (default 60) on a copy of the committed seed corpus, so the corpus in the
# tree stays as committed. Exits non-zero when the fuzzer finds a fault; the
# input that caused it is kept in build-fuzz/artifacts/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
nitka_install_packages "${nitka_run_packages[@]}" clang libclang-rt-dev

seconds=${1:-60}
build_dir="$NITKA_ROOT/build-fuzz"
nitka_build "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNITKA_BUILD_FUZZ=ON -DNITKA_BUILD_UI=OFF -DNITKA_BUILD_TESTS=OFF -DNITKA_BUILD_BENCH=OFF

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build_dir/artifacts"

for fuzzer in maze_reader_fuzz grid_reader_fuzz; do
    echo "Fuzzing with $fuzzer for $seconds s"
    rm -rf "$work/corpus"
    cp -r "$NITKA_ROOT/fuzz/corpus/maze_reader" "$work/corpus"
    "$build_dir/fuzz/$fuzzer" "$work/corpus" \
        -max_total_time="$seconds" -max_len=16384 -timeout=10 \
        -artifact_prefix="$build_dir/artifacts/$fuzzer-" -print_final_stats=1
done
