#!/usr/bin/env bash
# Compares the rectangle's figures of docs/performance.md between an older
# revision and the working tree in one run: builds OLD_REV in a temporary
# worktree beside this one, both in Release, then runs the benchmarks and the
# command-line tool end to end, old and new by turns, so that other load on
# the machine falls on both alike, and prints old, new and their ratio.
#
#     scripts/bench_compare.sh OLD_REV [ROUNDS]
#
# ROUNDS (default 3) is how many times each side runs; every figure is the
# median of its rounds. About 5 minutes a round on two cores. The raw JSON
# stays in build-compare/results; bench/compare.py remakes the table from it.
# NITKA_COMPARE_OLD_BUILD and NITKA_COMPARE_NEW_BUILD name Release build
# folders (benchmarks on) to use as they are instead of building.
set -euo pipefail
old_rev=${1:?usage: scripts/bench_compare.sh OLD_REV [ROUNDS]}
rounds=${2:-3}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=${NITKA_COMPARE_DIR:-$root/build-compare}
export PYTHONDONTWRITEBYTECODE=1

mkdir -p "$work"
build() {
    cmake -S "$1" -B "$2" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release -DNITKA_SANITIZE=OFF \
        -DNITKA_BUILD_UI=OFF -DNITKA_BUILD_TESTS=OFF -DNITKA_BUILD_BENCH=ON >/dev/null
    nice ninja -C "$2" --quiet
}
declare -A builds=([old]=${NITKA_COMPARE_OLD_BUILD:-} [new]=${NITKA_COMPARE_NEW_BUILD:-})
if [ -z "${builds[old]}" ]; then
    old_src=$(mktemp -d "$work/old-src.XXXXXX")
    remove_old_src() { git -C "$root" worktree remove --force "$old_src" || rm -rf "$old_src"; }
    trap remove_old_src EXIT
    git -C "$root" worktree add --detach --quiet "$old_src" "$old_rev"
    echo "Building $old_rev"
    builds[old]=$work/old
    build "$old_src" "${builds[old]}"
fi
if [ -z "${builds[new]}" ]; then
    echo "Building the working tree"
    builds[new]=$work/new
    build "$root" "${builds[new]}"
fi

# Each executable with the benchmarks of it that the comparison takes: the
# carving methods are many and alike, so depth-first and three of another kind.
benches=(
    "carve_bench:."
    "grid_io_bench:."
    "grid_solve_bench:."
    "methods_bench:^(depth-first|eller|kruskal|wilson)/"
    "render_bench:."
    "storage_bench:."
    "solve_bench:."
    "generate_bench:."
)
results="$work/results"
rm -rf "$results"
for side in old new; do
    mkdir -p "$results/$side" "$results/$side-cwd"
done

for ((round = 1; round <= rounds; ++round)); do
    echo "Round $round of $rounds"
    for entry in "${benches[@]}"; do
        bench=${entry%%:*}
        for side in old new; do
            # The storage benchmarks write labird.txt into the working directory.
            (cd "$results/$side-cwd" && "${builds[$side]}/bench/$bench" \
                --benchmark_filter="${entry#*:}" --benchmark_min_time=0.2 \
                --benchmark_out="$results/$side/$bench.$round.json" \
                --benchmark_out_format=json >/dev/null 2>>"$results/$side/bench.log")
        done
    done
    for side in old new; do
        python3 "$root/bench/measure_cli.py" "${builds[$side]}/src/cli/nitka-maze" \
            --sizes 1000,10000 --runs 1 >"$results/$side/cli.$round.json"
    done
done

python3 "$root/bench/compare.py" "$results" --old-name "$old_rev" \
    --new-name "$(git -C "$root" rev-parse --short HEAD)$(git -C "$root" diff --quiet HEAD || echo '+')"
