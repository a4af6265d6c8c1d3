#!/usr/bin/env bash
# Builds the fuzzers of every file reader (the window's maze file, the
# command-line tool's reading of it, the maze shape file and the mask from a
# PNG or a text picture) with clang and runs each for the given number of
# seconds (default 60) on a copy of its committed seed corpus, so the corpus in
# the tree stays as committed. Exits non-zero when a fuzzer finds a fault; the
# input that caused it is kept in build-fuzz/artifacts/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
nitka_install_packages "${nitka_run_packages[@]}" clang libclang-rt-dev

seconds=${1:-60}
build_dir="$NITKA_ROOT/build-fuzz"
nitka_build "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNITKA_BUILD_FUZZ=ON -DNITKA_BUILD_UI=OFF -DNITKA_BUILD_TESTS=OFF -DNITKA_BUILD_BENCH=OFF -DNITKA_BUILD_PYTHON=OFF

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build_dir/artifacts"

# Each fuzzer and the seed corpus it starts from; both readers of the
# window's file share one.
fuzzers=(
    maze_reader_fuzz:maze_reader
    grid_reader_fuzz:maze_reader
    shape_file_fuzz:shape_file
    mask_fuzz:mask
)
for entry in "${fuzzers[@]}"; do
    fuzzer=${entry%%:*}
    corpus=${entry#*:}
    echo "Fuzzing with $fuzzer for $seconds s"
    rm -rf "$work/corpus"
    cp -r "$NITKA_ROOT/fuzz/corpus/$corpus" "$work/corpus"
    # No single allocation a small input needs comes near the limit: one that
    # does is a reader holding far more than the input gives it.
    "$build_dir/fuzz/$fuzzer" "$work/corpus" \
        -max_total_time="$seconds" -max_len=16384 -timeout=10 -malloc_limit_mb=256 \
        -artifact_prefix="$build_dir/artifacts/$fuzzer-" -print_final_stats=1
done
