// The PNG writer at cell size 2 from 100 x 100 to 10,000 x 10,000 cells, in
// time a cell, with the route's dots and without.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <streambuf>

#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "render/png_render.h"

namespace nitka {
namespace {

// Counts the bytes and drops them, so that what is timed is the writer.
class CountingBuffer final : public std::streambuf {
public:
    std::streamsize bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        bytes += count;
        return count;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return c;
    }
};

// A perfect maze in which every cell opens to the north or the west at random
// (the binary-tree carving): as many walls as any perfect maze, and quick to
// make at ten thousand a side. Every other cell is marked as route, far more
// than a real route, to bound the cost of the dots.
const WallGrid& mazeOfSide(int side) {
    static std::map<int, std::unique_ptr<WallGrid>> mazes;
    auto& maze = mazes[side];
    if (!maze) {
        maze = std::make_unique<WallGrid>(side, side);
        SeededRandom random(static_cast<std::uint64_t>(side));
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const std::size_t cell = maze->index({x, y});
                const bool north = y > 0 && (x == 0 || random.Random(2) == 0);
                if (north) {
                    maze->setTop(cell, Flag::Open);
                } else if (x > 0) {
                    maze->setLeft(cell, Flag::Open);
                }
                maze->setScratch(cell, static_cast<std::uint8_t>((x + y) % 2));
            }
        }
    }
    return *maze;
}

void BM_Png(benchmark::State& state) {
    const WallGrid& maze = mazeOfSide(static_cast<int>(state.range(0)));
    const RenderOptions options{.cell = 2, .route = state.range(1) != 0};
    std::streamsize bytes = 0;
    for (auto _ : state) {
        CountingBuffer out;
        renderPng(maze, options, out);
        bytes = out.bytes;
    }
    state.counters["ns_per_cell"] = benchmark::Counter(
        static_cast<double>(maze.cellCount()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Png)
    ->ArgNames({"side", "route"})
    ->ArgsProduct({{100, 1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nitka
