#!/usr/bin/env bash
# Builds a Release copy, runs every benchmark in bench/, the start-up and
# peak-memory measurement of the window and the end-to-end measurement of
# every nitka-maze command up to 10,000 x 10,000 cells, and writes the medians
# with the machine they ran on to docs/performance.md. Takes about 15 minutes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
nitka_install_packages "${nitka_test_packages[@]}"
# The drivers are run from the source tree; keep it free of bytecode caches.
export PYTHONDONTWRITEBYTECODE=1

build_dir="${NITKA_BUILD_DIR:-$NITKA_ROOT/build-bench}"
nitka_build "$build_dir" -DCMAKE_BUILD_TYPE=Release -DNITKA_SANITIZE=OFF \
    -DNITKA_BUILD_UI=ON -DNITKA_BUILD_TESTS=OFF -DNITKA_BUILD_BENCH=ON -DNITKA_BUILD_PYTHON=OFF

# The raw figures stay in the build folder, so the report can be remade from
# them with bench/report.py.
work="$build_dir/results"
rm -rf "$work"
mkdir -p "$work"
results=()
for executable in "$build_dir"/bench/*_bench; do
    bench=$(basename "$executable")
    echo "Running $bench"
    # The storage benchmarks write labird.txt into the working directory.
    (cd "$work" && "$executable" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out="$work/$bench.json" --benchmark_out_format=json >/dev/null)
    results+=("$work/$bench.json")
done

echo "Measuring nitka-maze end to end"
python3 "$NITKA_ROOT/bench/measure_cli.py" "$build_dir/src/cli/nitka-maze" >"$work/cli.json"

echo "Measuring start-up and peak memory"
python3 "$NITKA_ROOT/tests/e2e/measure.py" "$build_dir/src/ui/qt/nitka" >"$work/measure.json"

python3 "$NITKA_ROOT/bench/report.py" --out "$NITKA_ROOT/docs/performance.md" \
    --command "bash scripts/bench.sh" \
    --commit "$(git -C "$NITKA_ROOT" rev-parse --short HEAD 2>/dev/null || echo unknown)" \
    --measure "$work/measure.json" --cli "$work/cli.json" "${results[@]}"
echo "Wrote docs/performance.md"
