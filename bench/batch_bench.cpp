// Datasets: mazes a second of a batch of small rectangles on one thread and
// on every core, and the occupancy grid of a large maze, which Python hands
// over beside every maze it carves.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "tool/maze_arrays.h"
#include "tool/maze_batch.h"
#include "tool/maze_making.h"
#include "tool/system_facts.h"

namespace nitka {
namespace {

constexpr std::int64_t kMazes = 10'000;

BatchPlan planOf(int side, std::int64_t count, int threads) {
    BatchRequest request;
    request.count = count;
    request.maze.width = side;
    request.maze.height = side;
    request.maze.seed = 1;
    request.threads = threads;
    return planned(planBatch(request, systemFacts()));
}

// 15 x 15 rectangles with their grids, passages, routes and scores.
void BM_Batch(benchmark::State& state) {
    const BatchPlan plan = planOf(15, kMazes, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(carveBatch(plan));
    }
    state.SetItemsProcessed(state.iterations() * kMazes);
}
BENCHMARK(BM_Batch)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same batch kept to mazes scoring 20 to 30, about a third of them.
void BM_BatchScored(benchmark::State& state) {
    BatchPlan plan = planOf(15, kMazes, 2);
    plan.request.difficulty = std::pair(20.0, 30.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(carveBatch(plan));
    }
    state.SetItemsProcessed(state.iterations() * kMazes);
}
BENCHMARK(BM_BatchScored)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 1,000 x 1,000 maze carved, then its occupancy grid drawn.
void BM_GenerateAndGrid(benchmark::State& state) {
    const BatchPlan plan = planOf(1000, 1, 1);
    for (auto _ : state) {
        const AnyMaze maze = carveGenerated(plan.maze, 1);
        benchmark::DoNotOptimize(wallPicture(maze));
    }
}
BENCHMARK(BM_GenerateAndGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nitka
