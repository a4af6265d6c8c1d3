// A plotter's strokes of a 1,000 x 1,000 maze: its walls joined into the
// fewest strokes, then ordered nearest end first.
#include <benchmark/benchmark.h>

#include <vector>

#include "carve/carve_method.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "render/pen_strokes.h"

namespace nitka {
namespace {

std::vector<PenEdge> wallsOf(const WallGrid& grid) {
    std::vector<PenEdge> walls;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const std::size_t cell = grid.index({x, y});
            if (grid.top(cell) == Flag::Wall) {
                walls.push_back({{double(x), double(y)}, {double(x + 1), double(y)}});
            }
            if (grid.left(cell) == Flag::Wall) {
                walls.push_back({{double(x), double(y)}, {double(x), double(y + 1)}});
            }
        }
    }
    return walls;
}

void BM_JoinAndOrderStrokes(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    WallGrid grid(side, side);
    SeededRandom random(1);
    carveMaze(grid, CarveOptions{}, random);
    const std::vector<PenEdge> walls = wallsOf(grid);
    for (auto _ : state) {
        std::vector<Stroke> strokes = joinStrokes(walls);
        orderStrokes(strokes, walls, {0, 0});
        benchmark::DoNotOptimize(strokes);
    }
    state.counters["walls"] = static_cast<double>(walls.size());
}
BENCHMARK(BM_JoinAndOrderStrokes)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nitka
