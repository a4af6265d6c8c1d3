// Depth-first carving in ns a cell, the compact carver from 100 x 100 up to
// 10,000 x 10,000, and the window's carver beside it on the same 100 x 100
// mazes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "carve/carvers.h"
#include "model/generator.h"
#include "model/seeded_random.h"

namespace nitka {
namespace {

// Both carvers draw from this seed onwards, one seed an iteration.
constexpr std::uint64_t kFirstSeed = 2026;

// Time an iteration divided by the cells it carves, in seconds ("12.3ns").
benchmark::Counter nsPerCell(std::uint64_t cells) {
    return benchmark::Counter(
        static_cast<double>(cells),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The carving alone: each iteration carves a fresh grid, as a "generate" run
// does, but making the grid and giving its memory back (0.5 ns a cell at
// 10,000 x 10,000, mostly the kernel's page work) stay outside the timing.
void BM_CarveDepthFirst(benchmark::State& state) {
    const auto side = static_cast<int>(state.range(0));
    std::uint64_t seed = kFirstSeed;
    for (auto _ : state) {
        state.PauseTiming();
        WallGrid grid(side, side);
        SeededRandom random(seed++);
        state.ResumeTiming();
        carveDepthFirst(grid, random);
        benchmark::DoNotOptimize(grid);
        state.PauseTiming();
        grid = WallGrid(1, 1);
        state.ResumeTiming();
    }
    state.counters["ns_per_cell"] = nsPerCell(static_cast<std::uint64_t>(side) * side);
}
BENCHMARK(BM_CarveDepthFirst)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CarveDepthFirst)->Arg(10'000)->Iterations(3)->Unit(benchmark::kMillisecond);

// The window's carving of 100 x 100 as its press runs it, without the drawing.
void BM_CarveWindow100(benchmark::State& state) {
    auto maze = std::make_unique<MazeState>();
    maze->GridMaxX = 200;
    maze->GridMaxY = 200;
    std::uint64_t seed = kFirstSeed;
    for (auto _ : state) {
        SeededRandom random(seed++);
        Initialise(*maze);
        startCarving(*maze, random);
        while (maze->CarveCount > 0) {
            CelluleSuite(*maze, random);
        }
        benchmark::DoNotOptimize(maze->CellGrid);
    }
    state.counters["ns_per_cell"] = nsPerCell(100 * 100);
}
BENCHMARK(BM_CarveWindow100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nitka
