// Route searches and maze measures on the compact grid, corner to corner, from
// 100 x 100 to 10,000 x 10,000 cells: ns per cell of the maze.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "carve/braid.h"
#include "carve/carvers.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "solver/grid_search.h"
#include "solver/maze_stats.h"

namespace nitka {
namespace {

// The companion's default maze, carved as the window carves, with a share of
// its dead ends opened into loops.
std::unique_ptr<WallGrid> carvedMaze(int side, int braidPercent) {
    auto grid = std::make_unique<WallGrid>(side, side);
    SeededRandom random(static_cast<std::uint64_t>(side));
    carveDepthFirst(*grid, random);
    braid(*grid, braidPercent / 100.0, random);
    return grid;
}

// Carving the largest takes seconds, so each maze is carved once per run.
WallGrid& maze(const benchmark::State& state) {
    static std::map<std::pair<int, int>, std::unique_ptr<WallGrid>> carved;
    const auto key = std::pair{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    auto& grid = carved[key];
    if (!grid) {
        grid = carvedMaze(key.first, key.second);
    }
    return *grid;
}

void countPerCell(benchmark::State& state, const WallGrid& grid) {
    state.counters["ns_per_cell"] = benchmark::Counter(
        static_cast<double>(grid.cellCount()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Corner to corner with one of the searches; the route's length in cells too.
template <auto search>
void routeSearch(benchmark::State& state) {
    WallGrid& grid = maze(state);
    const GridCell corner{grid.width() - 1, grid.height() - 1};
    std::uint64_t cells = 0;
    for (auto _ : state) {
        const std::optional<GridRoute> route = search(grid, {0, 0}, corner);
        cells = route ? route->moves() + 1 : 0;
    }
    countPerCell(state, grid);
    state.counters["route"] = static_cast<double>(cells);
}

void BM_FindGridRoute(benchmark::State& state) {
    routeSearch<findGridRoute>(state);
}

void BM_FindShortestRoute(benchmark::State& state) {
    routeSearch<[](WallGrid& grid, GridCell from, GridCell to) {
        return findShortestRoute(grid, from, to);
    }>(state);
}

void BM_MeasureMaze(benchmark::State& state) {
    WallGrid& grid = maze(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(measureMaze(grid));
    }
    countPerCell(state, grid);
}

// Side, then the share in 100 of dead ends opened into loops.
void sizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"side", "braid%"});
    bench->Args({100, 0})->Args({1000, 0})->Args({1000, 50});
    bench->Unit(benchmark::kMillisecond);
}
void largest(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"side", "braid%"})->Args({10000, 0})->Iterations(2);
    bench->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_FindGridRoute)->Apply(sizes);
BENCHMARK(BM_FindShortestRoute)->Apply(sizes);
BENCHMARK(BM_MeasureMaze)->Apply(sizes);
BENCHMARK(BM_FindGridRoute)->Apply(largest);
BENCHMARK(BM_FindShortestRoute)->Apply(largest);
BENCHMARK(BM_MeasureMaze)->Apply(largest);

}  // namespace
}  // namespace nitka
