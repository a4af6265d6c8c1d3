// The general engine on the rectangle's own layout beside the rectangle's
// named fast paths, and on every shape, at about a million cells, in ns a
// cell: depth-first carving and the window's route search. The fast paths
// stay where these figures say the general code costs the rectangle more.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "carve/carvers.h"
#include "carve/depth_first_general.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/make_topology.h"
#include "shape/maze_view.h"
#include "shape/shape_maze.h"
#include "solver/grid_search.h"
#include "solver/shape_search.h"

namespace nitka {
namespace {

constexpr int kSide = 1000;
// About kSide * kSide cells, as the other shapes.
constexpr int kPolarRings = 565;

benchmark::Counter nsPerCell(std::uint64_t cells) {
    return benchmark::Counter(
        static_cast<double>(cells),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

std::shared_ptr<const Topology> layoutOf(ShapeKind kind) {
    return makeTopology(kind, kSide, kind == ShapeKind::Polar ? kPolarRings : kSide);
}

void BM_DepthFirstFastPath(benchmark::State& state) {
    SeededRandom random(2026);
    for (auto _ : state) {
        WallGrid grid(kSide, kSide);
        carveDepthFirst(grid, random);
        benchmark::DoNotOptimize(grid);
    }
    state.counters["ns_per_cell"] = nsPerCell(std::uint64_t{kSide} * kSide);
}
BENCHMARK(BM_DepthFirstFastPath)->Unit(benchmark::kMillisecond);

void BM_DepthFirstGeneralOnGrid(benchmark::State& state) {
    SeededRandom random(2026);
    NoCarveObserver none;
    for (auto _ : state) {
        WallGrid grid(kSide, kSide);
        carveDepthFirstOn(GridView<WallGrid>(grid), random, none);
        benchmark::DoNotOptimize(grid);
    }
    state.counters["ns_per_cell"] = nsPerCell(std::uint64_t{kSide} * kSide);
}
BENCHMARK(BM_DepthFirstGeneralOnGrid)->Unit(benchmark::kMillisecond);

void BM_DepthFirstOnShape(benchmark::State& state) {
    const auto topology = layoutOf(static_cast<ShapeKind>(state.range(0)));
    SeededRandom random(2026);
    for (auto _ : state) {
        ShapeMaze maze(topology);
        carveDepthFirst(maze, random);
        benchmark::DoNotOptimize(maze);
    }
    state.counters["ns_per_cell"] = nsPerCell(topology->cellCount());
}
BENCHMARK(BM_DepthFirstOnShape)->ArgName("shape")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_RouteFastPath(benchmark::State& state) {
    WallGrid grid(kSide, kSide);
    SeededRandom random(7);
    carveDepthFirst(grid, random);
    for (auto _ : state) {
        benchmark::DoNotOptimize(findGridRoute(grid, {0, 0}, {kSide - 1, kSide - 1}));
    }
    state.counters["ns_per_cell"] = nsPerCell(grid.cellCount());
}
BENCHMARK(BM_RouteFastPath)->Unit(benchmark::kMillisecond);

// Shape 0, the rectangle, runs the general search over its GridLayout.
void BM_RouteOnShape(benchmark::State& state) {
    const auto topology = layoutOf(static_cast<ShapeKind>(state.range(0)));
    ShapeMaze maze(topology);
    SeededRandom random(7);
    carveDepthFirst(maze, random);
    for (auto _ : state) {
        benchmark::DoNotOptimize(findShapeRoute(maze, topology->start(), topology->target()));
    }
    state.counters["ns_per_cell"] = nsPerCell(topology->cellCount());
}
BENCHMARK(BM_RouteOnShape)->ArgName("shape")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nitka
