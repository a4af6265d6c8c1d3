// Route search and route painting on the largest mazes: a generated one, the
// deepest one and the loopiest one, beside the exponential reference search on
// small mazes of the loopy kind for comparison.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "commands/generate_command.h"
#include "commands/solve_command.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"
#include "solver/literal_search.h"
#include "solver/route_search.h"
#include "solver_mazes.h"
#include "support/fake_controls.h"

namespace nitka {
namespace {

using bench::decoyMaze;
using bench::serpentineMaze;
using testing::SizedMaze;

// The maze a press of "Depth-First" gives, drawn on the given picture.
void generate(MazeState& maze, PictureSurface& picture, int side, std::uint32_t seed) {
    testing::FakeControls controls(side, side);
    SeededRandom random(seed);
    BtGoClick(maze, controls, picture, random);
}

void searchAndCount(benchmark::State& state, const SizedMaze& maze) {
    std::size_t cells = 0;
    for (auto _ : state) {
        const std::vector<Position> route = findRoute(maze.walls, maze.width, maze.height, {0, 0},
                                                      {maze.width - 1, maze.height - 1});
        cells = route.size();
        benchmark::DoNotOptimize(route.data());
    }
    state.counters["route"] = static_cast<double>(cells == 0 ? 0 : cells - 1);
}

void BM_FindRouteGenerated(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    MazeState maze;
    RasterPicture picture(rgb(240, 240, 240));
    generate(maze, picture, side, 1);
    searchAndCount(state, SizedMaze{maze.MazeWidth, maze.MazeHeight, Maze(maze.Walls)});
}
BENCHMARK(BM_FindRouteGenerated)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

// Ten thousand levels: the route runs through every cell.
void BM_FindRouteSerpentine(benchmark::State& state) {
    const SizedMaze maze = serpentineMaze(100, 100);
    for (auto _ : state) {
        const std::vector<Position> route = findRoute(maze.walls, 100, 100, {0, 0}, {0, 99});
        benchmark::DoNotOptimize(route.data());
    }
}
BENCHMARK(BM_FindRouteSerpentine)->Unit(benchmark::kMicrosecond);

void BM_FindRouteDecoy(benchmark::State& state) {
    searchAndCount(state, decoyMaze(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_FindRouteDecoy)->Arg(6)->Arg(7)->Arg(8)->Arg(100)->Unit(benchmark::kMicrosecond);

// The exponential reference; beyond 7 x 7 a single run takes minutes or more.
void BM_LiteralSearchDecoy(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const SizedMaze maze = decoyMaze(side);
    long long entries = 0;
    for (auto _ : state) {
        testing::LiteralSearch literal{
            maze, {side - 1, side - 1}, std::vector(side, std::vector<bool>(side)), {}};
        benchmark::DoNotOptimize(literal.ExploreCell(0, 0));
        entries = literal.entries;
    }
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_LiteralSearchDecoy)->Arg(5)->Arg(6)->Arg(7)->Unit(benchmark::kMillisecond);

// Two presses of "SOLVE"/"SHOW": search and paint the dots, search and erase them.
void BM_SolveClicksGenerated(benchmark::State& state) {
    MazeState maze;
    RasterPicture picture(rgb(240, 240, 240));
    generate(maze, picture, 100, 1);
    testing::FakeControls controls(100, 100);
    for (auto _ : state) {
        BtCheminClick(maze, controls, picture);
        BtCheminClick(maze, controls, picture);
    }
}
BENCHMARK(BM_SolveClicksGenerated)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nitka
