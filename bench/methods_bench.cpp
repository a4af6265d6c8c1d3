// Every carving method at 100 x 100 and 1000 x 1000, in processor time a cell
// (the "per_cell" column). Aldous-Broder only at the smaller size: its walk's
// cover time makes the larger one take the best part of a second a run.
#include <benchmark/benchmark.h>

#include <string>

#include "carve/carve_method.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {
namespace {

void carveOnce(benchmark::State& state, CarveOptions options) {
    const auto side = static_cast<int>(state.range(0));
    SeededRandom random(2026);
    for (auto _ : state) {
        WallGrid grid(side, side);
        carveMaze(grid, options, random);
        benchmark::DoNotOptimize(grid);
    }
    // Seconds a cell, shown with its prefix: "19.3ns" is 19.3 nanoseconds.
    state.counters["per_cell"] = benchmark::Counter(
        static_cast<double>(side) * side,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void registerAll() {
    for (const CarveMethodInfo& info : carveMethods()) {
        auto* bench = benchmark::RegisterBenchmark(std::string(info.name).c_str(), carveOnce,
                                                   CarveOptions{info.method});
        bench->Arg(100)->Unit(benchmark::kMillisecond);
        if (info.method != CarveMethod::AldousBroder) {
            bench->Arg(1000);
        }
    }
    for (const char* pick : {"newest", "random", "oldest"}) {
        CarveOptions options{CarveMethod::GrowingTree};
        parseGrowingTreePick(pick, options);
        benchmark::RegisterBenchmark(("growing-tree/" + std::string(pick)).c_str(), carveOnce,
                                     options)
            ->Arg(100)
            ->Arg(1000)
            ->Unit(benchmark::kMillisecond);
    }
    CarveOptions braided{CarveMethod::Kruskal};
    braided.braid = 1;
    benchmark::RegisterBenchmark("kruskal+braid-1", carveOnce, braided)
        ->Arg(100)
        ->Arg(1000)
        ->Unit(benchmark::kMillisecond);
}

const int kRegistered = (registerAll(), 0);

}  // namespace
}  // namespace nitka
