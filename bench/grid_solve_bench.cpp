// Route searches and maze measures on the compact grid, corner to corner, at
// sizes up to the largest the companion handles: ns per cell of the maze.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "grid/maze_stats.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "solver/grid_search.h"

namespace nitka {
namespace {

void openEdge(WallGrid& grid, GridCell cell, Step step) {
    switch (step) {
        case Step::Right:
            grid.setLeft(grid.index(neighbour(cell, step)), Flag::Open);
            break;
        case Step::Up:
            grid.setTop(grid.index(cell), Flag::Open);
            break;
        case Step::Left:
            grid.setLeft(grid.index(cell), Flag::Open);
            break;
        case Step::Down:
            grid.setTop(grid.index(neighbour(cell, step)), Flag::Open);
            break;
    }
}

// A perfect maze carved depth first: on from each cell to a random unvisited
// neighbour, back when there is none. As in the maze measures' flood fill, a
// cell's scratch holds the step back (plus 1), 5 at the start. Then each
// remaining inner wall is opened with the given chance in 100, for loops.
std::unique_ptr<WallGrid> carvedMaze(int side, int loopPercent) {
    auto grid = std::make_unique<WallGrid>(side, side);
    SeededRandom random(side);
    GridCell cell{0, 0};
    grid->setScratch(0, 5);
    while (true) {
        Step choices[4];
        int count = 0;
        for (int number = 0; number < 4; ++number) {
            const GridCell next = neighbour(cell, static_cast<Step>(number));
            if (grid->contains(next) && grid->scratch(grid->index(next)) == 0) {
                choices[count++] = static_cast<Step>(number);
            }
        }
        if (count > 0) {
            const Step step = choices[random.Random(count)];
            openEdge(*grid, cell, step);
            cell = neighbour(cell, step);
            grid->setScratch(grid->index(cell),
                             static_cast<std::uint8_t>(1 + static_cast<int>(opposite(step))));
            continue;
        }
        const std::uint8_t back = grid->scratch(grid->index(cell));
        if (back == 5) {
            break;
        }
        cell = neighbour(cell, static_cast<Step>(back - 1));
    }
    grid->clearScratch();
    for (int y = 0; y < side && loopPercent > 0; ++y) {
        for (int x = 0; x < side; ++x) {
            for (const Step step : {Step::Right, Step::Down}) {
                if (grid->contains(neighbour({x, y}, step)) && random.Random(100) < loopPercent) {
                    openEdge(*grid, {x, y}, step);
                }
            }
        }
    }
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
        static_cast<double>(grid.cellCount()) * 1e-9,
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

// Side, then the chance in 100 of opening each wall left by the carving.
void sizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"side", "loops%"});
    bench->Args({100, 0})->Args({1000, 0})->Args({1000, 10});
    bench->Unit(benchmark::kMillisecond);
}
void largest(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"side", "loops%"})->Args({10000, 0})->Iterations(2);
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
